#include "listwin/run_binding.h"

#include "core/settings_store.h"
#include "core/textutil.h"
#include "ui/application.h"
#include "ui/run_lock.h"

#include <windows.h>

#include <climits>
#include <utility>

namespace {

// While a run works the start-up folder is the current directory: no listed
// folder is then held as the current directory (which would keep it from
// being renamed or deleted), and relative names mean the same in every run.
// The current directory the user had is given back afterwards.
class InStartupFolder {
public:
  InStartupFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size > 0) {
      std::string saved(size, '\0');
      const DWORD n = GetCurrentDirectoryA(size, &saved[0]);
      if (n > 0 && n < size) {
        saved.resize(n);
        saved_ = saved;
      }
    }
    const std::string startup = core::Settings().GetStartupDirectory();
    if (!startup.empty()) SetCurrentDirectoryA(startup.c_str());
  }
  ~InStartupFolder() {
    if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
  }
  InStartupFolder(const InStartupFolder&) = delete;
  InStartupFolder& operator=(const InStartupFolder&) = delete;

private:
  std::string saved_;
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart ? 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart) : 0;
}

} // namespace

// ---- Sink ------------------------------------------------------------------------

void RunBinding::Sink::Begin(size_t total) {
  b_.total_ = total;
  b_.done_ = 0;
  b_.begun_ = true;
  if (ui::ProgressBar* bar = b_.page_.progress) {
    bar->SetRange(0, static_cast<int>(total <= INT_MAX ? total : INT_MAX));
    bar->SetVisible(true);
    bar->SetPosition(0);
  }
}

bool RunBinding::Sink::Progress(size_t done, size_t total) {
  if (!b_.begun_) Begin(total);
  if (total != 0 && total != b_.total_) {
    b_.total_ = total;
    if (b_.page_.progress) b_.page_.progress->SetRange(0, static_cast<int>(total <= INT_MAX ? total : INT_MAX));
  }
  b_.done_ = done;
  // Messages waiting before the first item are handled first: a close that
  // came meanwhile stops the job before it does anything.
  const bool first = b_.first_;
  b_.first_ = false;
  return b_.Pace(first);
}

void RunBinding::Sink::Add(size_t list, std::string entry) { b_.Take(list, std::move(entry)); }

void RunBinding::Sink::Flush() { b_.Update(false); }

// ---- The binding -------------------------------------------------------------------

void RunBinding::Take(size_t list, std::string entry) {
  ListState& s = lists_[list];
  if (s.listed >= kMaxListed) {
    ++s.unlisted;
    return;
  }
  ++s.listed;
  const List& row = job_->lists[list];
  std::string why = row.reason ? row.reason(entry) : std::string();
  s.pending.push_back(std::move(entry));
  if (!why.empty()) s.pending.push_back(ReasonLine(why));
}

void RunBinding::UpdateProgress() {
  ui::ProgressBar* bar = page_.progress;
  if (!bar || !begun_) return;
  const size_t done = done_ < total_ ? done_ : total_;
  bar->SetPosition(total_ <= INT_MAX ? static_cast<int>(done)
                                     : static_cast<int>(double(done) / double(total_) * INT_MAX));
}

void RunBinding::Update(bool last) {
  const Job& job = *job_;
  if (job.sync) job.sync();
  UpdateProgress();
  TResultsWindow* window = page_.window ? page_.window() : nullptr;
  for (size_t k = 0; k < job.lists.size(); ++k) {
    const List& row = job.lists[k];
    ListState& s = lists_[k];
    if (row.entries)
      while (s.taken < row.entries->size()) Take(k, (*row.entries)[s.taken++]);
    if (last && s.unlisted > 0) {
      s.pending.push_back(UnlistedLine(s.unlisted));
      s.unlisted = 0;
    }
    if (s.pending.empty()) continue;
    if (window) window->List(row.window).AddStrings(std::move(s.pending));
    s.pending.clear();
  }
  // Only the counters that changed since they were last shown are written.
  for (size_t i = 0; i < job.counters.size(); ++i) {
    const Counter& c = job.counters[i];
    if (*c.value == shown_[i]) continue;
    shown_[i] = *c.value;
    const std::string text = core::CounterText(*c.value);
    if (c.label) c.label->SetText(text);
    if (window && c.window >= 0) window->Counter(c.window).SetText(text);
  }
}

bool RunBinding::Pace(bool now) {
  if (now || throttle_.Due()) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Update(false);
    ui::App().ProcessMessages();
    QueryPerformanceCounter(&end);
    // The first update also lays out and paints the windows just shown: its
    // cost is not the cost of an update.
    throttle_.Took(now ? 0 : static_cast<DWORD>(Milliseconds(start, end)));
  }
  return !ui::App().Terminated();
}

bool RunBinding::Run(const Job& job) {
  if (busy_) return false;
  if (job.confirm && !job.confirm()) return false;

  // The job starts from fresh counters and an empty Visual Log.
  TResultsWindow* window = page_.window ? page_.window() : nullptr;
  if (window && job.kind != Kind::Undo) window->SetRunMode(job.kind == Kind::Run);
  if (job.reset) job.reset();
  if (window && job.clearLog) window->ClearLists();
  job_ = &job;
  lists_.assign(job.lists.size(), ListState());
  shown_.clear();
  // Each label is written only when its text changes (a label written
  // repaints, even with the same text).
  auto show = [](ui::Label& label, const std::string& text) {
    if (label.Text() != text) label.SetText(text);
  };
  for (const Counter& c : job.counters) {
    shown_.push_back(*c.value);
    const std::string text = core::CounterText(*c.value);
    if (c.label) show(*c.label, text);
    if (window && c.window >= 0) show(window->Counter(c.window), text);
  }
  if (window && job.showLog) window->ShowBeside(*page_.form);

  bool ended = false;
  {
    // The page's commands and the other sheets stay locked, and the start-up
    // folder is the current directory, until the end box is answered.
    ui::RunLock lock(page_.commands ? page_.commands() : std::vector<ui::Control*>(), job.locks, busy_);
    InStartupFolder folder;
    done_ = total_ = 0;
    begun_ = false;
    first_ = true;
    throttle_ = ui::Throttle();
    Sink sink(*this);
    const bool went = job.work ? job.work(sink) : true;
    if (ui::App().Terminated()) {  // the main window is closing: no more boxes
      job_ = nullptr;
      return false;
    }
    if (went) done_ = total_;
    Update(true);
    if (page_.progress) page_.progress->SetVisible(false);
    if (went) {
      if (job.end) job.end();
      ended = true;
    }
  }
  job_ = nullptr;
  if (job.after) job.after();
  return ended;
}
