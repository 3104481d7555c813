// Forms and the application.
//   TFormBorderStyle, TBorderIcons, TPosition   how a form's frame, title-bar buttons and first
//                                               place are chosen
//   TForm          a top-level window that owns and parents the controls on it, with the dialog
//                  keyboard (Tab, Enter, Esc, accelerators), screen snap and DPI scaling
//   TApplication   start-up, the message loop with its idle pass, the title; Application is the
//                  one instance
#pragma once

#include <string>
#include <vector>

#include "Controls.h"

// The framework's own MessageBox, not the header macro for the W function.
#undef MessageBox

namespace vellumor {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8;

enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };

// The text height the layouts are made for: Tahoma 8 pt at 96 pixels per inch.
constexpr int DesignTextHeight = 13;

// The text height of font on the screen, in pixels (tmHeight).
int ScreenTextHeight(TFont& font);

// The work area of a monitor (the primary one when monitor is null or unknown). On the primary
// monitor the system's work-area setting holds even where the monitor's own record has not
// caught up with it.
RECT WorkAreaOf(HMONITOR monitor);

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // The client area's size; the window grows by its frame, whatever the border style.
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  int ClientWidth() const override;
  int ClientHeight() const override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  // Where the window first appears; the default positions are the system's choice.
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value);

  // Dragged by the user to within SnapBuffer pixels of an edge of its monitor's work area, the
  // window snaps to that edge; moves made by code are left alone.
  bool ScreenSnap = false;
  int SnapBuffer = 10;

  // Positions and sizes are laid out for text height TextHeight (13: Tahoma 8 pt at 96 pixels
  // per inch); with Scaled, Loaded scales the form and its controls once to the font's text
  // height on this screen.
  bool Scaled = ScaledByDefault;
  int TextHeight = DesignTextHeight;
  // What Scaled starts as in forms made from now on; off, a form keeps its stored layout at any
  // density, to compare a scaled form with its layout.
  static inline bool ScaledByDefault = true;
  // Scales the client size and every control's bounds inside by multiplier / divider.
  void ScaleBy(int multiplier, int divider);

  void Close();
  // Appends an item to the window's system menu, after a separator; choosing it runs onClick.
  void AddSystemMenuItem(const std::string& caption, TNotifyEvent onClick);
  bool Showing() const { return FHandle && IsWindowVisible(FHandle); }

  // The control that gets the focus when the form is activated, until the user moves it.
  TWinControl* ActiveControl() const {
    TWinControl* c = FocusedControl();
    return c == this ? nullptr : c;
  }
  void SetActiveControl(TWinControl* control);

  // Runs OnCreate once. Application->CreateForm calls it when the form's constructor (with its
  // stored layout) is done; a form made otherwise has it run at the latest when first shown.
  void DoCreate();

  // Enter, Esc, Tab and accelerators for a key message bound for a window of this form.
  // Returns true when the form used the key and the message must not be dispatched.
  bool HandleDialogKey(const MSG& msg);

  TNotifyEvent OnCreate;
  // When the form first becomes visible, before it is activated.
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  void WndProc(TMessage& message) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CMVisibleChanged(TMessage& message) override;
  void DefocusControl(TWinControl* control) override;

 private:
  struct TSystemMenuItem {
    std::string caption;
    TNotifyEvent onClick;
  };
  void AppendSystemMenuItems();

  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  // The outer size from the requested client size, for the current frame.
  void ApplyClientSize();
  void SnapToWorkArea(RECT& rect) const;
  void ScaleForDpi();
  bool HandleReturn();
  void FocusFirstControl();

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = TPosition::poDesigned;
  int FClientWidth = -1;  // -1: not given, the outer size rules
  int FClientHeight = -1;
  bool FShownOnce = false;
  bool FCreated = false;
  bool FScaledForDpi = false;
  bool FDragging = false;  // inside the user's move loop
  RECT FDragStartRect{};
  POINT FDragStartCursor{};
  std::vector<TSystemMenuItem> FSystemMenuItems;
  size_t FSystemMenuShown = 0;  // how many of them the window's menu has
};

class TApplication : public TComponent {
 public:
  TApplication();

  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form. The form's
  // OnCreate runs when its constructor is done and the reference is set.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    if (!FMainForm) FMainForm = reference;
    reference->DoCreate();
  }
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }

  // Shows the main form and runs the message loop until the main form closes or Terminate.
  void Run();
  // Handles every queued message, then returns (no idle pass).
  void ProcessMessages();
  // Handles one message; when the queue is empty, runs the idle pass if due and then waits.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // The idle pass, whatever came before: OnIdle, then every action list's updates.
  void DoIdle();
  // Runs the idle pass if input has been handled since the last one, as the message loop does
  // when its queue runs empty. Mouse moves, paints and timers do not count as input, so they
  // cause no idle pass. Returns whether the pass ran.
  bool Idle();

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
  bool FIdlePending = true;
};

extern TApplication* Application;

}  // namespace vellumor
