#include "listwin/run_binding.h"

#include "core/settings_store.h"
#include "core/textutil.h"
#include "ui/application.h"
#include "ui/run_lock.h"

#include <windows.h>

#include <climits>
#include <exception>
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
  {
    Guard guard(b_.cs_);
    b_.total_ = total;
    b_.done_ = 0;
    b_.begun_ = true;
    b_.barChanged_ = true;
  }
  if (!b_.OnWindowThread()) return;  // the window's thread shows the bar
  b_.barChanged_ = false;
  if (ui::ProgressBar* bar = b_.page_.progress) {
    bar->SetRange(0, static_cast<int>(total <= INT_MAX ? total : INT_MAX));
    bar->SetVisible(true);
    bar->SetPosition(0);
  }
}

bool RunBinding::Sink::Progress(size_t done, size_t total) {
  if (!b_.begun_) Begin(total);
  if (!b_.OnWindowThread()) {
    Guard guard(b_.cs_);
    if (total != 0 && total != b_.total_) {
      b_.total_ = total;
      b_.barChanged_ = true;
    }
    b_.done_ = done;
    b_.Gather();
    return b_.stop_ == 0;
  }
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

void RunBinding::Sink::Add(size_t list, std::string entry) {
  Guard guard(b_.cs_);
  b_.Take(list, std::move(entry));
}

void RunBinding::Sink::Flush() {
  if (!b_.OnWindowThread()) return OnWindow([this] { Flush(); });
  b_.Update(false);
}

void RunBinding::Sink::InBackground(const std::function<void()>& work) { b_.Background(work); }

bool RunBinding::Sink::Whole(size_t list) const {
  Guard guard(b_.cs_);
  return list >= b_.lists_.size() || b_.lists_[list].beyond == 0;
}

void RunBinding::Sink::OnWindow(const std::function<void()>& fn) {
  if (b_.OnWindowThread() || !b_.background_) return fn();
  b_.call_ = &fn;
  SetEvent(b_.callAsked_);
  WaitForSingleObject(b_.callDone_, INFINITE);
}

// ---- The binding -------------------------------------------------------------------

void RunBinding::Take(size_t list, std::string entry) {
  ListState& s = lists_[list];
  if (s.listed >= kMaxListed) {
    ++s.unlisted;
    ++s.beyond;
    return;
  }
  ++s.listed;
  const List& row = job_->lists[list];
  std::string why = row.reason ? row.reason(entry) : std::string();
  std::string note = row.note ? row.note(entry) : std::string();
  s.pending.push_back(std::move(entry));
  if (!why.empty()) s.pending.push_back(ReasonLine(why));
  if (!note.empty()) s.pending.push_back(NoteLine(note));
}

void RunBinding::Gather() {
  const Job& job = *job_;
  if (job.sync) job.sync();
  for (size_t k = 0; k < job.lists.size(); ++k) {
    const List& row = job.lists[k];
    ListState& s = lists_[k];
    if (row.entries)
      while (s.taken < row.entries->size()) Take(k, (*row.entries)[s.taken++]);
  }
  for (size_t i = 0; i < job.counters.size(); ++i) latest_[i] = *job.counters[i].value;
}

void RunBinding::Show(bool last) {
  const Job& job = *job_;
  std::vector<std::vector<std::string>> blocks(job.lists.size());
  std::vector<double> values;
  size_t done, total;
  bool barChanged, begun;
  {
    Guard guard(cs_);
    for (size_t k = 0; k < job.lists.size(); ++k) {
      ListState& s = lists_[k];
      if (last && s.unlisted > 0) {
        s.pending.push_back(UnlistedLine(s.unlisted));
        s.unlisted = 0;
      }
      blocks[k].swap(s.pending);
    }
    values = latest_;
    done = done_ < total_ ? done_ : total_;
    total = total_;
    barChanged = barChanged_;
    barChanged_ = false;
    begun = begun_;
  }
  if (ui::ProgressBar* bar = page_.progress; bar && begun) {
    if (barChanged) {
      bar->SetRange(0, static_cast<int>(total <= INT_MAX ? total : INT_MAX));
      bar->SetVisible(true);
    }
    bar->SetPosition(total <= INT_MAX ? static_cast<int>(done)
                                      : static_cast<int>(double(done) / double(total) * INT_MAX));
  }
  TResultsWindow* window = page_.window ? page_.window() : nullptr;
  if (window)
    for (size_t k = 0; k < job.lists.size(); ++k)
      if (!blocks[k].empty()) window->List(job.lists[k].window).AddStrings(std::move(blocks[k]));
  // Only the counters that changed since they were last shown are written.
  for (size_t i = 0; i < job.counters.size(); ++i) {
    const Counter& c = job.counters[i];
    if (values[i] == shown_[i]) continue;
    shown_[i] = values[i];
    const std::string text = core::CounterText(values[i]);
    if (c.label) c.label->SetText(text);
    if (window && c.window >= 0) window->Counter(c.window).SetText(text);
  }
}

void RunBinding::Update(bool last) {
  {
    Guard guard(cs_);
    Gather();
  }
  Show(last);
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

namespace {

// The timer of a caret's blink.
constexpr UINT kSystemTimer = 0x0118;

struct BackgroundWork {
  const std::function<void()>* work;
  std::exception_ptr error;
};

DWORD WINAPI RunBackgroundWork(LPVOID parameter) {
  BackgroundWork& w = *static_cast<BackgroundWork*>(parameter);
  try {
    (*w.work)();
  } catch (...) {
    w.error = std::current_exception();
  }
  return 0;
}

} // namespace

void RunBinding::Background(const std::function<void()>& work) {
  if (!OnWindowThread() || background_) return work();
  // A close that came before the work starts keeps it from starting: what
  // the user did or anyone posted is handled first. Posted and input messages
  // come before paints and timers, so when the first waiting message is a
  // paint or a timer (a caret's blink) nothing else waits, and the painting
  // is done while the work runs. (Asked for posted messages alone, Wine may
  // answer that none wait when one does.)
  MSG waiting;
  if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) && waiting.message != WM_PAINT &&
      waiting.message != WM_TIMER && waiting.message != kSystemTimer)
    ui::App().ProcessMessages();
  if (ui::App().Terminated()) return;
  stop_ = 0;
  first_ = false;
  callAsked_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  callDone_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  BackgroundWork w{&work, nullptr};
  HANDLE thread = callAsked_ && callDone_ ? CreateThread(nullptr, 0, RunBackgroundWork, &w, 0, nullptr) : nullptr;
  if (!thread) {  // no thread to be had: the work runs here, paced as before
    if (callAsked_) CloseHandle(callAsked_);
    if (callDone_) CloseHandle(callDone_);
    callAsked_ = callDone_ = nullptr;
    first_ = true;
    Enter();
    return work();
  }
  background_ = true;
  // The page is locked and the Visual Log shown while the work already runs:
  // no message is handled before the lock is on.
  Enter();
  throttle_ = ui::Throttle();
  bool shown = false;
  for (;;) {
    const HANDLE waits[2] = {thread, callAsked_};
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(2, waits, ui::Throttle::kIntervalMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) break;
    if (woke == WAIT_OBJECT_0 + 1) {
      ui::App().SafeCall(*call_);
      SetEvent(callDone_);
    }
    if (!shown || throttle_.Due()) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      Show(false);
      ui::App().ProcessMessages();
      QueryPerformanceCounter(&end);
      throttle_.Took(shown ? static_cast<DWORD>(Milliseconds(start, end)) : 0);
      shown = true;
    } else {
      ui::App().ProcessMessages();
    }
    if (ui::App().Terminated()) InterlockedExchange(&stop_, 1);
  }
  CloseHandle(thread);
  CloseHandle(callAsked_);
  CloseHandle(callDone_);
  callAsked_ = callDone_ = nullptr;
  background_ = false;
  if (w.error) std::rethrow_exception(w.error);
}

void RunBinding::Enter() {
  if (entered_) return;
  entered_ = true;
  const Job& job = *job_;
  TResultsWindow* window = page_.window ? page_.window() : nullptr;
  if (window && job.showLog) ShowLog(*window);
  // The page's commands and the other sheets stay locked until the end box
  // is answered.
  lock_ = std::make_unique<ui::RunLock>(page_.commands ? page_.commands() : std::vector<ui::Control*>(),
                                        job.locks);
}

void RunBinding::Bind(Page page) {
  page_ = std::move(page);
  if (page_.stop) page_.stop->OnClick = [this] { countStopped_ = true; };
}

std::string RunBinding::Place(const std::string& place, std::initializer_list<size_t> lists) const {
  Guard guard(cs_);
  for (size_t k : lists)
    if (k < lists_.size() && lists_[k].beyond > 0) return std::string();
  return place;
}

void RunBinding::ShowLog(TResultsWindow& window) {
  window.ShowBeside(*page_.form, page_.runButtons);
}

bool RunBinding::Count(const std::string& text, const std::vector<ui::TabSheet*>& locks,
                       const std::function<bool(const std::function<bool(size_t, size_t)>&)>& work) {
  if (busy_) return false;
  InStartupFolder folder;
  const HWND focused = GetFocus();
  auto lock = std::make_unique<ui::RunLock>(page_.commands ? page_.commands() : std::vector<ui::Control*>(), locks);
  ui::ProgressBar* bar = page_.progress;
  ui::Form* form = page_.form;
  countStopped_ = false;
  // What the page shows while it counts, and how the count is stopped.
  if (page_.counting) {
    page_.counting->SetText(text);
    page_.counting->SetVisible(true);
  }
  if (page_.stop) {
    page_.stop->SetEnabled(true);
    page_.stop->SetVisible(true);
    page_.stop->SetFocus();
  }
  if (form) form->OnEscape = [this] { countStopped_ = true; };
  auto leave = [&] {
    if (form) form->OnEscape = nullptr;
    if (page_.stop) page_.stop->SetVisible(false);
    if (page_.counting) page_.counting->SetVisible(false);
    if (bar) bar->SetVisible(false);
    busy_ = false;
  };
  ui::Throttle throttle;
  busy_ = true;  // the page starts no job meanwhile
  bool first = true, counted = false;
  size_t range = 0;
  try {
    counted = work([&](size_t done, size_t total) {
      // Messages waiting when the count starts are handled first.
      if (!first && !throttle.Due()) return !countStopped_;
      if (bar) {
        if (first || total != range) {
          range = total;
          bar->SetRange(0, static_cast<int>(total <= INT_MAX ? total : INT_MAX));
        }
        if (first) bar->SetVisible(true);
        bar->SetPosition(total <= INT_MAX ? static_cast<int>(done)
                                          : static_cast<int>(double(done) / double(total) * INT_MAX));
      }
      first = false;
      ui::App().ProcessMessages();
      return !countStopped_ && !ui::App().Terminated();
    });
  } catch (...) {
    leave();
    throw;
  }
  leave();
  lock.reset();
  // The focus goes back where it was (the command pressed).
  if (focused && IsWindowEnabled(focused) && IsWindowVisible(focused)) SetFocus(focused);
  return counted && !countStopped_ && !ui::App().Terminated();
}

bool RunBinding::CountStopped() const { return countStopped_ && !ui::App().Terminated(); }

bool RunBinding::Run(const Job& job) {
  if (busy_) return false;
  if (job.confirm && !job.confirm()) return false;

  // The job starts from fresh counters and an empty Visual Log.
  TResultsWindow* window = page_.window ? page_.window() : nullptr;
  if (window) {
    if (job.kind == Kind::Undo) window->SetUndoMode();
    else window->SetRunMode(job.kind == Kind::Run);
  }
  if (job.reset) job.reset();
  if (window && job.clearLog) window->ClearLists();
  job_ = &job;
  windowThread_ = GetCurrentThreadId();
  lists_.assign(job.lists.size(), ListState());
  shown_.clear();
  latest_.clear();
  // Each label is written only when its text changes (a label written
  // repaints, even with the same text).
  auto show = [](ui::Label& label, const std::string& text) {
    if (label.Text() != text) label.SetText(text);
  };
  for (const Counter& c : job.counters) {
    shown_.push_back(*c.value);
    latest_.push_back(*c.value);
    const std::string text = core::CounterText(*c.value);
    if (c.label) show(*c.label, text);
    if (window && c.window >= 0) show(window->Counter(c.window), text);
  }

  bool ended = false;
  busy_ = true;  // from here, before the lock too: a box shown before it starts no other run
  entered_ = false;
  auto leave = [this] {
    lock_.reset();
    busy_ = false;
    job_ = nullptr;
  };
  {
    // The start-up folder is the current directory until the end box is
    // answered.
    InStartupFolder folder;
    done_ = total_ = 0;
    begun_ = false;
    barChanged_ = false;
    first_ = true;
    throttle_ = ui::Throttle();
    if (!job.background) Enter();
    Sink sink(*this);
    bool went = true;
    try {
      went = job.work ? job.work(sink) : true;
    } catch (...) {
      leave();
      throw;
    }
    if (ui::App().Terminated()) {  // the main window is closing: no more boxes
      leave();
      return false;
    }
    if (went) {
      Enter();
      done_ = total_;
    }
    if (entered_) Update(true);  // (a background job refused before its engine started shows nothing)
    if (page_.progress) page_.progress->SetVisible(false);
    if (went) {
      if (job.end) job.end();
      ended = true;
    }
  }
  leave();
  if (job.after) job.after();
  return ended;
}
