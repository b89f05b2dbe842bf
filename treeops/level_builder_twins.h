// The rows of the in-page level builder's boxes on the Rename, Delete and Copy
// pages: each page's numbers, captions and blank runs, one table per page.
#pragma once
#include "core/box_message.h"
#include "listwin/level_builder.h"

extern const core::MessageTable<LevelMsg> kRenameLevelMessages;
extern const core::MessageTable<LevelMsg> kDeleteLevelMessages;
extern const core::MessageTable<LevelMsg> kCopyLevelMessages;
