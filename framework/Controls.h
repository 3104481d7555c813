// Controls.
//   TMouseButton, TShiftState, events   mouse and key events of every control
//   TControl          bounds, parent, visibility, enabled state, text, font, mouse and key input
//   TCreateParams     what CreateWnd passes to CreateWindowEx
//   TWinControl       a control with a window: creation, dispatch, reflection, focus
//   TGraphicControl   a control without a window, painted by its parent and fed its mouse input
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"

namespace vellumor {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x1, ssAlt = 0x2, ssCtrl = 0x4, ssLeft = 0x8, ssRight = 0x10, ssMiddle = 0x20,
                      ssDouble = 0x40;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

// Shift state of the keyboard now, plus the mouse buttons of a mouse message's wParam.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM keys);

using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 0x1;
constexpr TControlStyle csCaptureMouse = 0x2;
constexpr TControlStyle csClickEvents = 0x4;
constexpr TControlStyle csFramed = 0x8;
constexpr TControlStyle csSetCaption = 0x10;
constexpr TControlStyle csOpaque = 0x20;
constexpr TControlStyle csDoubleClicks = 0x40;
constexpr TControlStyle csParentBackground = 0x80;

using TControlState = unsigned;
constexpr TControlState csLButtonDown = 0x1;
constexpr TControlState csClicked = 0x2;
constexpr TControlState csFocusing = 0x4;
constexpr TControlState csCreating = 0x8;

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNS = -7, crSizeWE = -9,
                  crHourGlass = -11, crNo = -12, crHandPoint = -21;

class TWinControl;
class TAction;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  // Scales the bounds by multiplier / divider, for another screen density.
  virtual void ChangeScale(int multiplier, int divider);
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  // Caption and text are the same string.
  virtual std::string Text() const { return FText; }
  virtual void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }

  TFont& Font() { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value);
  bool UseRightToLeftAlignment() const { return FBiDiMode == TBiDiMode::bdRightToLeft; }
  bool UseRightToLeftReading() const { return FBiDiMode != TBiDiMode::bdLeftToRight; }

  TControlStyle ControlStyle = 0;
  TControlState ControlState = 0;

  // Sends a message straight to this control's WndProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  virtual void Invalidate();
  void Update();
  void Repaint();

  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  // Paints the control into dc with its top-left corner at (x, y).
  virtual void PaintTo(HDC dc, int x, int y) = 0;

  // Runs OnClick; without one, a control bound to an action runs the action.
  virtual void Click();
  virtual void DblClick();

  // The action the control is bound to: it shows the action's caption, is enabled exactly when
  // the action is, and its click executes the action. nullptr unbinds.
  TAction* Action() const { return FAction; }
  void SetAction(TAction* action);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);

  // Message handlers; each runs the base behaviour of its message unless overridden.
  virtual void WMLButtonDown(TMessage& message);
  virtual void WMLButtonUp(TMessage& message);
  virtual void WMOtherButton(TMessage& message);
  virtual void WMMouseMove(TMessage& message);
  virtual void WMCancelMode(TMessage& message);
  virtual void CMEnabledChanged(TMessage& message);
  virtual void CMFontChanged(TMessage& message);
  virtual void CMParentFontChanged(TMessage& message);
  virtual void CMTextChanged(TMessage& message);
  virtual void CMVisibleChanged(TMessage& message);
  virtual void CMColorChanged(TMessage& message);

  // The part of SetBounds that stores the values; windowed controls also move their window.
  void StoreBounds(int left, int top, int width, int height);
  virtual void FontChanged();
  // Takes what the control shows of its action; runs when bound and whenever the action's
  // caption, enabled state or picture changes. A control that shows the picture extends it.
  virtual void ActionChange(TAction* action);
  void AdoptParentFont();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  std::string FText;
  TFont FFont;
  bool FParentFont = true;
  TColor FColor = clBtnFace;
  TCursor FCursor = crDefault;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;

 private:
  bool FAdoptingParentFont = false;
  TAction* FAction = nullptr;
  friend class TWinControl;
  friend class TAction;
  void DispatchMouse(TMessage& message, TMouseButton button, bool down);
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Our own window class, registered on first use.
  std::wstring WinClassName = L"VellumorControl";
  UINT ClassStyle = CS_DBLCLKS;
  // The icons of our own class and of the window (title bar, task switcher); null: the system's.
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;
  // A standard class (EDIT, LISTBOX, ...) to create and subclass instead; empty for our own class.
  std::wstring SubclassOf;
};

// Deleting a windowed control deletes the controls still on it, whoever owns them.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window, keeping what it showed, and makes it again when it can have one.
  void RecreateWnd();
  void DestroyHandle();
  // The control whose window is hwnd, when it is one of ours; nullptr otherwise.
  static TWinControl* FindControl(HWND hwnd);

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
  // The visible graphic child at client point (x, y), topmost first; nullptr if none.
  TControl* ControlAtPos(int x, int y) const;
  bool ContainsControl(const TControl* control) const;

  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetParent(TWinControl* parent) override;
  void Invalidate() override;
  void PaintTo(HDC dc, int x, int y) override;

  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  // Position among the parent's windowed children when Tab moves the focus; -1 without a parent.
  int TabOrder() const;
  void SetTabOrder(int value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);

  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The control of this window tree that last had the focus (kept by the top-level control).
  TWinControl* FocusedControl() const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void CreateHandle();

  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  virtual void DoEnter();
  virtual void DoExit();

  // Paints the window's own face (our own classes only); the base fills it with Color.
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, const RECT& update);

  virtual void WMPaint(TMessage& message);
  virtual void WMEraseBkgnd(TMessage& message);
  virtual void WMSize(TMessage& message);
  virtual void WMSetFocus(TMessage& message);
  virtual void WMKillFocus(TMessage& message);
  virtual void WMGetDlgCode(TMessage& message);
  virtual void WMKeyDown(TMessage& message);
  virtual void WMKeyUp(TMessage& message);
  virtual void WMChar(TMessage& message);
  // Keys and characters the control's events see but its window must not get.
  virtual bool KeepsKeyFromWindow(WORD) const { return false; }
  virtual bool KeepsCharFromWindow(wchar_t) const { return false; }
  virtual void WMDestroy(TMessage& message);
  virtual void WMCaptureChanged(TMessage& message);
  virtual void CMEnter(TMessage& message);
  virtual void CMExit(TMessage& message);
  // Called on the top-level control when `control`, which holds the focus, is being disabled: the
  // system would leave the focus on nothing. The base gives it to the top-level window itself.
  virtual void DefocusControl(TWinControl* control);
  void CMFontChanged(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  virtual void CNCommand(TMessage& message);
  virtual void CNNotify(TMessage& message);
  virtual void CNDrawItem(TMessage& message);
  virtual void CNMeasureItem(TMessage& message);
  virtual void CNCtlColor(TMessage& message);

  HWND FHandle = nullptr;
  bool FTabStop = false;
  bool FCtl3D = true;

 private:
  friend class TControl;
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR refData);
  LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Bind(HWND hwnd);
  void Unbind();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ApplyTabOrder();
  bool WindowDeferred() const;
  bool RouteMouseToGraphic(TMessage& message);
  void Reflect(TMessage& message, HWND child);
  void UpdateBoundsFromWindow();
  void FocusChanged();
  static void NotifyFocusChanged(TWinControl* parent, TWinControl* focused);
  bool SetControlCursor();
  TWinControl* Root();

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;      // windowed children in tab order
  TControl* FCaptureControl = nullptr;     // graphic child that holds this window's mouse capture
  TWinControl* FFocusedControl = nullptr;  // on the top-level control only
  bool FSubclassed = false;
  int FSubclassDepth = 0;        // > 0 while a message is inside our subclass procedure
  WNDPROC FClassProc = nullptr;  // the standard class's own procedure
  TBrush FBrush;                 // background for the reflected colour messages
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  void PaintTo(HDC dc, int x, int y) override;
  TCanvas& Canvas() { return FCanvas; }

 protected:
  virtual void Paint() {}

 private:
  TCanvas FCanvas;
};

}  // namespace vellumor
