// The application object: creates the forms in order, runs the message loop,
// processes pending messages, shows exceptions and the program's message box.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

// When a form's window is built: at once, or after the main window shows (in
// idle time, or the moment anything asks for it; see Form::Build).
enum class FormBuild { AtOnce, AfterMainShows };

class Application {
public:
  // Registers the window classes and common controls; call once at start.
  void Initialize(HINSTANCE instance = nullptr);
  HINSTANCE Instance() const { return instance_; }

  // Constructs a form, creates its window hidden and runs its FormCreate (or
  // queues that for after the main window shows). The first form created is
  // the main form, always built at once.
  template <class T> void CreateForm(T*& ref, FormBuild build = FormBuild::AtOnce) {
    T* form = new T();
    ref = form;
    // The global pointer is cleared when the forms go, so code that asks
    // whether a window exists yet never reaches one of an earlier start.
    formRefs_.push_back([&ref] { ref = nullptr; });
    Adopt(form, build);
  }

  // Builds every queued form now, in start-up order.
  void BuildWaitingForms();
  // Builds the next queued form; false when none waits.
  bool BuildNextWaitingForm();
  // Builds the next sheet still to be built of a form already built (see
  // pages.h); false when none waits.
  bool BuildNextWaitingSheet();

  // Runs the message loop until the main form closes.
  void Run();
  // Handles every pending message, then returns (safe to call from a handler).
  void ProcessMessages();
  // Ends the message loop; the forms are destroyed after the loop returns.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Runs FormDestroy of every form and frees them (newest first, main last).
  void DestroyForms();

  // The program's message box, owned by the active form.
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
  // The system message box with no owner window.
  int SystemMessageBox(const std::string& text, const std::string& caption, unsigned flags);
  // The error box for an exception that escaped an event handler.
  void ShowException(const std::string& message);
  // Runs fn; an exception escaping it is shown and swallowed.
  void SafeCall(const std::function<void()>& fn);

  Form* MainForm() const { return main_; }
  Form* ActiveForm() const { return active_; }
  HWND ActiveWindowHandle() const;

  std::string Title = "Vextil";
  // How long a hint stays up, for every form (tooltips keep one for at most
  // 32767 ms).
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int milliseconds);

  // Window-layer internals.
  void FormActivated(Form* form);
  void FormGone(Form* form);
  bool PreTranslate(MSG& msg);
  void Dispatch(MSG& msg);

private:
  void Adopt(Form* form, FormBuild build);

  HINSTANCE instance_ = nullptr;
  std::vector<Form*> forms_;
  std::vector<Form*> waiting_;  // queued forms, in start-up order
  size_t nextWaiting_ = 0;
  std::vector<std::function<void()>> formRefs_;
  Form* main_ = nullptr;
  Form* active_ = nullptr;
  bool terminated_ = false;
  bool skipReturnChar_ = false;
  int hintHidePause_ = 2500;
};

Application& App();

} // namespace ui
