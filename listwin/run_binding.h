// One binding for every run of the program: the creation runs, the rename,
// delete and copy runs, their simulations and the undos. It takes a page's
// go-ahead, resets what the page resets, locks the page's commands and the
// other sheets, works from the start-up folder (the current directory the user
// had is given back after), shows the progress bar, shows the Visual Log beside
// the page and fills it during the run, and ends with the page's end box.
//
// A page gives its engine call, its texts and where its outcomes go. Outcomes
// gather in memory; the window is brought up to date in blocks about every
// 50 ms (ui/throttle.h), only what changed being written, so the binding adds
// no cost per item. Each list of the Visual Log shows at most kMaxListed
// entries, the rest counted in one closing line; an entry not done for other
// reasons is shown with its reason on the line beneath it.
//
// An engine call that touches no window may run on a thread of its own
// (Sink::InBackground): the window's thread then locks the page, shows the
// Visual Log and keeps the progress, the counters and the lists drawn while
// the engine works, instead of between its items. Under Wine drawing a
// themed control costs milliseconds, so a run whose window is drawn beside
// it takes about the time of its system calls alone.
#pragma once
#include "listwin/frmStatistic.h"
#include "ui/controls.h"
#include "ui/pages.h"
#include "ui/run_lock.h"
#include "ui/throttle.h"

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class RunBinding {
public:
  // The most entries a run, simulation or undo puts into each list of its window.
  static constexpr size_t kMaxListed = 100000;
  // The line under an entry that tells why it was not done.
  static std::string ReasonLine(const std::string& reason) { return "      why : " + reason; }
  // The line under an entry done with something to know about it.
  static std::string NoteLine(const std::string& note) { return "      note : " + note; }
  // The line closing a list that holds more than kMaxListed entries.
  static std::string UnlistedLine(size_t more) { return "... " + std::to_string(more) + " more, not listed."; }

  // What a page binds once.
  struct Page {
    ui::Form* form = nullptr;           // the main window: the Visual Log shows beside it
    ui::ProgressBar* progress = nullptr;
    std::function<TResultsWindow*()> window;              // null until the window is made
    std::function<std::vector<ui::Control*>()> commands;  // locked while a run lasts
    // Shown only while a count before the page's questions lasts (see Count):
    // what it is doing, and the button that stops it.
    ui::Label* counting = nullptr;
    ui::Button* stop = nullptr;
    // The page's run buttons: a Visual Log shown beside the main window leaves
    // them in sight where the screen has room.
    std::vector<const ui::Control*> runButtons;
  };
  RunBinding() { InitializeCriticalSection(&cs_); }
  explicit RunBinding(Page page) {
    InitializeCriticalSection(&cs_);
    Bind(std::move(page));
  }
  ~RunBinding() { DeleteCriticalSection(&cs_); }
  // Binds the page (a page whose controls are bound late binds them here).
  void Bind(Page page);
  RunBinding(const RunBinding&) = delete;
  RunBinding& operator=(const RunBinding&) = delete;

  enum class Kind { Run, Simulation, Undo };

  // A value shown on the page and in the Visual Log.
  struct Counter {
    const double* value = nullptr;
    ui::Label* label = nullptr;  // the page's (null: none)
    int window = -1;             // the Visual Log's value label (-1: none)
  };
  // A list of the Visual Log filled while the run lasts.
  struct List {
    explicit List(int windowList, const std::deque<std::string>* engineList = nullptr,
                  std::function<std::string(const std::string&)> why = {},
                  std::function<std::string(const std::string&)> noted = {})
        : window(windowList), entries(engineList), reason(std::move(why)), note(std::move(noted)) {}
    int window = 0;  // TResultsWindow::List index
    // The engine's own list, appended to as it works; null: entries come
    // through Sink::Add.
    const std::deque<std::string>* entries = nullptr;
    // Why an entry was not done (empty: no line beneath it).
    std::function<std::string(const std::string& entry)> reason;
    // What to know about an entry that was done (empty: no line beneath it).
    std::function<std::string(const std::string& entry)> note;
  };

  // What the engine call is handed.
  class Sink {
  public:
    // The number of items the progress bar spans; shows the bar.
    void Begin(size_t total);
    // Before item done (of total, 0: as begun). Brings the window up to date
    // when due and handles pending messages; false: stop (the program closes).
    bool Progress(size_t done, size_t total = 0);
    // An entry of list (by its place in the job's lists) that has no engine list.
    void Add(size_t list, std::string entry);
    // Brings the window up to date now (before a box the engine shows).
    void Flush();
    // Runs work on a thread of its own and returns when it is done; the
    // window's messages are handled meanwhile. The calls above may come from
    // work; anything that touches a window (a box) goes through OnWindow.
    // Progress answers false once the main window closes. A close that came
    // before work starts keeps it from starting.
    void InBackground(const std::function<void()>& work);
    // Runs fn on the window's thread; from background work, waits for it.
    void OnWindow(const std::function<void()>& fn);
    // Whether list (by its place in the job's lists) holds every entry given
    // to it so far (none beyond kMaxListed).
    bool Whole(size_t list) const;

  private:
    friend class RunBinding;
    explicit Sink(RunBinding& binding) : b_(binding) {}
    RunBinding& b_;
  };

  struct Job {
    Kind kind = Kind::Run;
    std::vector<ui::TabSheet*> locks;  // the other sheets, disabled while it lasts
    // The checks and the go-ahead (the page's boxes); false: nothing changes.
    std::function<bool()> confirm;
    // After the go-ahead: the page's counters and records as the job starts them.
    std::function<void()> reset;
    bool showLog = false;    // the Visual Log beside the page while it lasts
    bool clearLog = true;    // its lists emptied at the start
    std::vector<Counter> counters;
    std::vector<List> lists;
    // Before each update: the page's counters taken from the engine's (in a
    // background job, on the engine's thread as it works).
    std::function<void()> sync;
    // The engine call; false: stopped without an end (its box shown).
    std::function<bool(Sink&)> work;
    // The page is locked and the Visual Log shown once work hands its engine
    // to Sink::InBackground (what work does before shows its boxes on a page
    // as it stands), so both are drawn while the engine already works.
    bool background = false;
    // The end box and what follows it, the page still locked.
    std::function<void()> end;
    // Once the page is free again.
    std::function<void()> after;
  };

  // Runs the job; true when it came to its end box. Nothing happens while a
  // run of this page lasts. A results window the job shows is titled by the
  // job's kind (an undo's says that its lists hold what the undo kept).
  bool Run(const Job& job);
  // A count a page's questions need before its job (what the job will do),
  // made as a job works: from the start-up folder, the page's commands and
  // the sheets given locked, the window answering. The page says what goes on
  // (text, in its counting label), the progress bar moves, and the page's Stop
  // button, in reach and focused, or Escape ends the count. work gets the
  // progress to call (done of total as far as known; false: stop); the answer
  // is work's, false too once the count was stopped or the main window closes.
  bool Count(const std::string& text, const std::vector<ui::TabSheet*>& locks,
             const std::function<bool(const std::function<bool(size_t done, size_t total)>& progress)>& work);
  // Whether the last count was ended by its Stop button or Escape (the
  // program closing meanwhile is no such stop).
  bool CountStopped() const;
  // While a job lasts (its end box included): place, a list or lists of the
  // Visual Log a box names as holding its whole list, when each of those
  // lists (by their places in the job's lists) is whole; else empty (the box
  // then saves its whole list in a file).
  std::string Place(const std::string& place, std::initializer_list<size_t> lists) const;
  // Shows the page's Visual Log beside the main window, the run buttons in sight.
  void ShowLog(TResultsWindow& window);
  bool Busy() const { return busy_; }

private:
  struct ListState {
    std::vector<std::string> pending;
    size_t taken = 0;     // entries of the engine's list looked at
    size_t listed = 0;    // entries in the window
    size_t unlisted = 0;  // entries beyond kMaxListed, not yet counted in the closing line
    size_t beyond = 0;    // entries beyond kMaxListed in all
  };
  // Guards what the engine's thread and the window's thread share.
  class Guard {
  public:
    explicit Guard(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
    ~Guard() { LeaveCriticalSection(&cs_); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

  private:
    CRITICAL_SECTION& cs_;
  };

  bool OnWindowThread() const { return GetCurrentThreadId() == windowThread_; }
  // Shows the Visual Log and locks the page, once per job.
  void Enter();
  void Take(size_t list, std::string entry);
  // Where the engine works: its outcomes and counters taken for the window.
  void Gather();
  // On the window's thread: what was gathered written to the window.
  void Show(bool last);
  void Update(bool last);
  bool Pace(bool now);
  void Background(const std::function<void()>& work);

  Page page_;
  bool busy_ = false;
  bool countStopped_ = false;  // Stop or Escape during a count
  // The job in progress.
  const Job* job_ = nullptr;
  std::unique_ptr<ui::RunLock> lock_;
  bool entered_ = false;
  DWORD windowThread_ = 0;
  // Shared with background work (under cs_).
  mutable CRITICAL_SECTION cs_;
  std::vector<ListState> lists_;
  std::vector<double> latest_;  // the counters as last gathered
  size_t done_ = 0, total_ = 0;
  bool begun_ = false, barChanged_ = false;
  // The window's own.
  std::vector<double> shown_;
  bool first_ = true;
  ui::Throttle throttle_;
  // Background work: its stop, and a call it waits for on the window's thread.
  volatile LONG stop_ = 0;
  bool background_ = false;
  const std::function<void()>* call_ = nullptr;
  HANDLE callAsked_ = nullptr, callDone_ = nullptr;
};
