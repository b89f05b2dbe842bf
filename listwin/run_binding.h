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
#pragma once
#include "listwin/frmStatistic.h"
#include "ui/controls.h"
#include "ui/pages.h"
#include "ui/throttle.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class RunBinding {
public:
  // The most entries a run, simulation or undo puts into each list of its window.
  static constexpr size_t kMaxListed = 100000;
  // The line under an entry that tells why it was not done.
  static std::string ReasonLine(const std::string& reason) { return "      why : " + reason; }
  // The line closing a list that holds more than kMaxListed entries.
  static std::string UnlistedLine(size_t more) { return "... " + std::to_string(more) + " more, not listed."; }

  // What a page binds once.
  struct Page {
    ui::Form* form = nullptr;           // the main window: the Visual Log shows beside it
    ui::ProgressBar* progress = nullptr;
    std::function<TResultsWindow*()> window;              // null until the window is made
    std::function<std::vector<ui::Control*>()> commands;  // locked while a run lasts
  };
  RunBinding() = default;
  explicit RunBinding(Page page) : page_(std::move(page)) {}
  // Binds the page (a page whose controls are bound late binds them here).
  void Bind(Page page) { page_ = std::move(page); }
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
                  std::function<std::string(const std::string&)> why = {})
        : window(windowList), entries(engineList), reason(std::move(why)) {}
    int window = 0;  // TResultsWindow::List index
    // The engine's own list, appended to as it works; null: entries come
    // through Sink::Add.
    const std::deque<std::string>* entries = nullptr;
    // Why an entry was not done (empty: no line beneath it).
    std::function<std::string(const std::string& entry)> reason;
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
    // Before each update: the page's counters taken from the engine's.
    std::function<void()> sync;
    // The engine call; false: stopped without an end (its box shown).
    std::function<bool(Sink&)> work;
    // The end box and what follows it, the page still locked.
    std::function<void()> end;
    // Once the page is free again.
    std::function<void()> after;
  };

  // Runs the job; true when it came to its end box. Nothing happens while a
  // run of this page lasts.
  bool Run(const Job& job);
  bool Busy() const { return busy_; }

private:
  struct ListState {
    std::vector<std::string> pending;
    size_t taken = 0;     // entries of the engine's list looked at
    size_t listed = 0;    // entries in the window
    size_t unlisted = 0;  // entries beyond kMaxListed
  };
  void Take(size_t list, std::string entry);
  void Update(bool last);
  void UpdateProgress();
  bool Pace(bool now);

  Page page_;
  bool busy_ = false;
  // The job in progress.
  const Job* job_ = nullptr;
  std::vector<ListState> lists_;
  std::vector<double> shown_;
  size_t done_ = 0, total_ = 0;
  bool begun_ = false, first_ = true;
  ui::Throttle throttle_;
};
