// Forms and the application.
//   TForm          a top-level window that owns and parents the controls on it
//   TApplication   start-up, the message loop, the title; Application is the one instance
#pragma once

#include <string>

#include "Controls.h"

// The framework's own MessageBox, not the header macro for the W function.
#undef MessageBox

namespace vellumor {

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // The client area's size; the window grows by its frame.
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  void Close();
  bool Showing() const { return FHandle && IsWindowVisible(FHandle); }

  // The control that gets the focus when the form is activated, until the user moves it.
  TWinControl* ActiveControl() const {
    TWinControl* c = FocusedControl();
    return c == this ? nullptr : c;
  }
  void SetActiveControl(TWinControl* control);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CMVisibleChanged(TMessage& message) override;

 private:
  bool FShownOnce = false;
};

class TApplication : public TComponent {
 public:
  TApplication();

  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    if (!FMainForm) FMainForm = reference;
  }
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }

  // Shows the main form and runs the message loop until the main form closes or Terminate.
  void Run();
  // Handles every queued message, then returns.
  void ProcessMessages();
  // Waits for and handles one message; runs OnIdle when the queue is empty first.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  std::string Title;
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  TNotifyEvent OnIdle;
  TExceptionHandler OnException;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool ProcessMessage(MSG& msg);
  bool IsDialogKey(MSG& msg);

  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

extern TApplication* Application;

}  // namespace vellumor
