#include "Spin.h"

#include <algorithm>
#include <optional>

#include "Clipbrd.h"
#include "SysUtils.h"
#include "Themes.h"

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// TTimerSpeedButton

TTimerSpeedButton::~TTimerSpeedButton() {
  delete AutoRepeatTimer;
  AutoRepeatTimer = nullptr;
}

// The base raises OnMouseDown first, so the spin button has moved the focus before the timer runs.
void TTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TSpeedButton::MouseDown(button, shift, x, y);
  if (!(RepeatButtonFlags & rfAutoRepeat)) return;
  if (!AutoRepeatTimer) AutoRepeatTimer = new TTimer(this);
  AutoRepeatTimer->OnTimer = [this](TObject* sender) { RepeatTick(sender); };
  // Restarted, so a new press always waits the full first delay.
  AutoRepeatTimer->SetEnabled(false);
  AutoRepeatTimer->SetInterval(400);
  AutoRepeatTimer->SetEnabled(true);
}

void TTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The release click may throw; the timer stops all the same.
  struct StopTimer {
    TTimerSpeedButton* self;
    ~StopTimer() {
      if (self->AutoRepeatTimer) self->AutoRepeatTimer->SetEnabled(false);
    }
  } stop{this};
  TSpeedButton::MouseUp(button, shift, x, y);
}

void TTimerSpeedButton::RepeatTick(TObject*) {
  AutoRepeatTimer->SetInterval(100);
  if (FState != TButtonState::bsDown || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    AutoRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TTimerSpeedButton::Paint() {
  TSpeedButton::Paint();
  if (!(RepeatButtonFlags & rfFocusFrame)) return;
  RECT r{0, 0, Width(), Height()};
  InflateRect(&r, -3, -3);
  if (FState == TButtonState::bsDown) OffsetRect(&r, 1, 1);
  Canvas().DrawFocusRect(r);
}

// ---------------------------------------------------------------------------------------------
// TSpinButton

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner) {
  ControlStyle = (ControlStyle & ~(csAcceptsControls | csSetCaption)) | csFramed | csOpaque;
  // Under visual styles the halves draw their own edges; a frame would only narrow them.
  if (ThemeServices().GetThemesEnabled()) ControlStyle &= ~csFramed;
  FUpButton = MakeSpeedButton();
  FDownButton = MakeSpeedButton();
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  SetWidth(20);
  SetHeight(25);
  FFocusedButton = FUpButton;
}

TTimerSpeedButton* TSpinButton::MakeSpeedButton() {
  auto* half = new TTimerSpeedButton(this);
  half->OnClick = [this](TObject* sender) { HandleButtonClick(sender); };
  half->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    HandleButtonPress(sender, button, shift, x, y);
  };
  half->SetVisible(true);
  half->SetEnabled(true);
  half->RepeatButtonFlags = rfAutoRepeat;
  half->SetParent(this);
  return half;
}

void TSpinButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"VellumorSpinButton";
}

void TSpinButton::LayoutButtons(int& width, int& height) {
  if (!FUpButton || !FDownButton || (ComponentState() & csLoading)) return;
  if (width < 15) width = 15;
  FUpButton->SetBounds(0, 0, width, height / 2);
  int upHeight = FUpButton->Height();
  FDownButton->SetBounds(0, upHeight - 1, width, height - upHeight + 1);
}

void TSpinButton::SetBounds(int left, int top, int width, int height) {
  LayoutButtons(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TSpinButton::AdjustToLayout() {
  int width = Width(), height = Height();
  LayoutButtons(width, height);
  if (width != Width() || height != Height()) TWinControl::SetBounds(Left(), Top(), width, height);
}

void TSpinButton::WMSize(TMessage& m) {
  TWinControl::WMSize(m);
  AdjustToLayout();
  m.Result = 0;
}

void TSpinButton::Loaded() {
  TWinControl::Loaded();
  AdjustToLayout();
}

void TSpinButton::KeyDown(WORD& key, TShiftState) {
  switch (key) {
    case VK_SPACE:
      FFocusedButton->Click();
      break;
    case VK_UP:
      SelectCurrentButton(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SelectCurrentButton(FDownButton);
      FDownButton->Click();
      break;
    default:
      break;
  }
}

void TSpinButton::WMGetDlgCode(TMessage& m) {
  m.Result = DLGC_WANTARROWS;
}

void TSpinButton::HandleButtonPress(TObject* sender, TMouseButton button, TShiftState, int, int) {
  if (button != TMouseButton::mbLeft) return;
  if (auto* half = dynamic_cast<TTimerSpeedButton*>(sender)) SelectCurrentButton(half);
  if (FocusControl && FocusControl->TabStop() && FocusControl->CanFocus() &&
      FocusControl->Handle() != GetFocus()) {
    FocusControl->SetFocus();
    return;
  }
  if (TabStop() && Handle() != GetFocus() && CanFocus()) SetFocus();
}

void TSpinButton::HandleButtonClick(TObject* sender) {
  if (sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TSpinButton::SelectCurrentButton(TTimerSpeedButton* button) {
  if (!TabStop() || !CanFocus()) return;
  if (button == FFocusedButton) return;
  FFocusedButton->RepeatButtonFlags &= static_cast<TRepeatButtonFlags>(~rfFocusFrame);
  FFocusedButton = button;
  if (HandleAllocated() && GetFocus() == FHandle) {
    FFocusedButton->RepeatButtonFlags |= rfFocusFrame;
    Invalidate();
  }
}

void TSpinButton::WMSetFocus(TMessage& m) {
  FFocusedButton->RepeatButtonFlags |= rfFocusFrame;
  FFocusedButton->Invalidate();
  m.Result = 0;
}

void TSpinButton::WMKillFocus(TMessage& m) {
  FFocusedButton->RepeatButtonFlags &= static_cast<TRepeatButtonFlags>(~rfFocusFrame);
  FFocusedButton->Invalidate();
  m.Result = 0;
}

void TSpinButton::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FocusControl) FocusControl = nullptr;
}

void TSpinButton::LoadBuiltInGlyph(TTimerSpeedButton* half, const char* name) {
  // A missing resource leaves the glyph empty; the half still works without a picture.
  half->Glyph()->LoadFromResourceName(GetModuleHandleW(nullptr), name);
  half->SetNumGlyphs(1);
  half->Invalidate();
}

void TSpinButton::SetUpGlyph(const TBitmap* value) {
  if (value)
    FUpButton->SetGlyph(value);
  else
    LoadBuiltInGlyph(FUpButton, "SpinUp");
}

void TSpinButton::SetDownGlyph(const TBitmap* value) {
  if (value)
    FDownButton->SetGlyph(value);
  else
    LoadBuiltInGlyph(FDownButton, "SpinDown");
}

// ---------------------------------------------------------------------------------------------
// TSpinEdit

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  FButton = new TSpinButton(this);
  FButton->SetWidth(15);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->FocusControl = this;
  // Bound through the virtual functions, so a descendant's stepping is the one the halves call.
  FButton->OnUpClick = [this](TObject* sender) { StepUp(sender); };
  FButton->OnDownClick = [this](TObject* sender) { StepDown(sender); };
  SetText("0");
  ControlStyle &= ~(csSetCaption | csParentBackground);
  Increment = 1;
  EditorEnabled = true;
}

// Without the button the size handler skips its layout while the owned components go.
TSpinEdit::~TSpinEdit() {
  FButton = nullptr;
}

void TSpinEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TSpinEdit::WndProc(TMessage& m) {
  TCustomEdit::WndProc(m);
  // The themed edit paints its frame (on focus changes, enabling, any frame redraw) through a
  // window DC that covers the client area too, the spin button's window included, and nothing
  // else tells the button to paint itself again.
  if ((m.Msg == WM_NCPAINT || m.Msg == WM_ENABLE) && FButton && FButton->HandleAllocated())
    RedrawWindow(FButton->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  UpdateEditArea();
}

std::int32_t TSpinEdit::Value() const {
  if (auto v = TryStrToInt(Text())) return *v;
  return MinValue;
}

void TSpinEdit::SetValue(std::int32_t value) {
  SetText(IntToStr(ClampValue(value)));
}

// Equal bounds mean no range. With MinValue above MaxValue the order of the tests decides.
std::int32_t TSpinEdit::ClampValue(std::int32_t value) const {
  if (MinValue == MaxValue) return value;
  if (value < MinValue) return MinValue;
  if (value > MaxValue) return MaxValue;
  return value;
}

namespace {
// Two's complement wrap-around, computed in unsigned arithmetic where it is defined.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
}  // namespace

void TSpinEdit::StepUp(TObject*) {
  if (ReadOnly()) {
    SoundBeep(0);
    return;
  }
  SetValue(WrapAdd(Value(), Increment));
}

void TSpinEdit::StepDown(TObject*) {
  if (ReadOnly()) {
    SoundBeep(0);
    return;
  }
  SetValue(WrapSub(Value(), Increment));
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_UP)
    StepUp(this);
  else if (key == VK_DOWN)
    StepDown(this);
  TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::KeyPress(wchar_t& key) {
  if (!AcceptsChar(key)) {
    key = 0;
    SoundBeep(0);
  }
  if (key != 0) TCustomEdit::KeyPress(key);
}

// Characters from 128 up are refused whatever they are, the locale's separator included.
bool TSpinEdit::AcceptsChar(wchar_t key) const {
  bool accepted = key < 128 && (key == L'+' || key == L'-' || (key >= L'0' && key <= L'9') ||
                                key == DecimalSeparator() || (key < 32 && key != 13));
  if (!EditorEnabled && accepted && (key >= 32 || key == 8)) accepted = false;
  return accepted;
}

// The field shows one line, so a paste takes what a one-line edit takes: the text up to the
// first line break. The multi-line window underneath would refuse a second line outright.
void TSpinEdit::WMPaste(TMessage& m) {
  if (!EditorEnabled || ReadOnly()) return;
  std::string text = Clipboard().AsText();
  size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd == std::string::npos) {
    TCustomEdit::WMPaste(m);
    return;
  }
  std::wstring firstLine = Widen(std::string_view(text).substr(0, lineEnd));
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(firstLine.c_str()));
}

void TSpinEdit::WMCut(TMessage& m) {
  if (EditorEnabled && !ReadOnly()) TCustomEdit::WMCut(m);
}

void TSpinEdit::CMEnter(TMessage& m) {
  if (AutoSelect && !(ControlState & csLButtonDown)) SelectAll();
  TCustomEdit::CMEnter(m);
}

// OnExit sees the text as typed; only then is an out-of-range number pulled into the range.
// Text that is no number stays as typed, also when inverted bounds would move MinValue itself.
void TSpinEdit::CMExit(TMessage& m) {
  TCustomEdit::CMExit(m);
  std::optional<std::int32_t> value = TryStrToInt(Text());
  if (value && ClampValue(*value) != *value) SetValue(*value);
}

void TSpinEdit::WMSize(TMessage& m) {
  TCustomEdit::WMSize(m);
  int minimum = MinimumHeight();
  if (Height() < minimum) {
    SetHeight(minimum);  // the resize comes back here
    return;
  }
  if (FButton) {
    int bw = FButton->Width();
    if (Ctl3D())
      FButton->SetBounds(Width() - bw - 5, 0, bw, Height() - 5);
    else
      FButton->SetBounds(Width() - bw, 1, bw, Height() - 3);
  }
  UpdateEditArea();
}

int TSpinEdit::MinimumHeight() {
  ScreenDC dc;
  TEXTMETRICW system{}, font{};
  GetTextMetricsW(dc.Get(), &system);
  {
    ScopedSelect select(dc.Get(), FFont.Handle());
    GetTextMetricsW(dc.Get(), &font);
  }
  int smaller = std::min(system.tmHeight, font.tmHeight);
  return font.tmHeight + smaller / 4 + GetSystemMetrics(SM_CYBORDER) * 4 + 2;
}

// The text stops short of the spin button.
void TSpinEdit::UpdateEditArea() {
  if (!HandleAllocated()) return;
  int buttonWidth = FButton ? FButton->Width() : 0;
  RECT r{0, 0, ClientWidth() - buttonWidth - 2, ClientHeight() + 1};
  SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

}  // namespace vellumor
