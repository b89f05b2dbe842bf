// What the creation engine writes into, held together so a test or a bench
// can run the engine on a job with no page behind it.
#pragma once
#include "create/creation_engine.h"

namespace testsupport {

struct CreationStores {
  core::CreationCounters counters{};
  core::CreationResultLists results;
  core::CreationJournal journal;
  core::CreationStringList copied;
  core::StructureTotals totals;
  core::FileSizeMap files;
  core::CreationSink sink;
  core::CreationEngine Engine() {
    return core::CreationEngine(counters, results, journal, copied, totals, files, sink);
  }
};

} // namespace testsupport
