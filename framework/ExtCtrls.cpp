#include "ExtCtrls.h"

#include <stdexcept>

namespace vellumor {

namespace {
constexpr wchar_t kTimerClass[] = L"VellumorTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kTimerClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TTimer::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTimerClass;
    RegisterClassExW(&wc);
  }
  FWindow = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!FWindow) throw std::runtime_error("The timer window could not be created");
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  UpdateTimer();
}

TTimer::~TTimer() {
  KillTimer(FWindow, kTimerId);
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
  DestroyWindow(FWindow);
}

void TTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(UINT value) {
  if (value == FInterval) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindow, kTimerId);
  if (FEnabled && FInterval > 0) SetTimer(FWindow, kTimerId, FInterval, nullptr);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

// Exceptions from OnTimer end here, as in every window procedure.
LRESULT CALLBACK TTimer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == WM_TIMER) {
    // A tick already queued when the timer was stopped is not delivered.
    if (!self->FEnabled) return 0;
    try {
      self->Timer();
    } catch (...) {
      HandleException(std::current_exception());
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vellumor

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// TAlignedGraphicControl

// The top-aligned siblings close the gap this one leaves.
TAlignedGraphicControl::~TAlignedGraphicControl() {
  if (FParent && FAlign == TAlign::alTop) {
    FAlign = TAlign::alNone;
    Realign();
  }
}

void TAlignedGraphicControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  Realign();
}

void TAlignedGraphicControl::SetParent(TWinControl* parent) {
  TWinControl* old = FParent;
  TGraphicControl::SetParent(parent);
  // The top-aligned siblings left behind close the gap.
  if (old && old != parent)
    for (int i = 0; i < old->ControlCount(); ++i)
      if (auto* c = dynamic_cast<TAlignedGraphicControl*>(old->Controls(i))) {
        c->Realign();
        break;
      }
  Realign();
}

void TAlignedGraphicControl::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  if (!FAligning) Realign();
}

void TAlignedGraphicControl::Loaded() {
  TGraphicControl::Loaded();
  Realign();
}

// Stacks every top-aligned control of the parent in creation order from the top edge down.
void TAlignedGraphicControl::Realign() {
  if (!FParent || FAligning || (ComponentState() & csLoading)) return;
  int top = 0;
  const int width = FParent->ClientWidth();
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    auto* c = dynamic_cast<TAlignedGraphicControl*>(FParent->Controls(i));
    if (!c || c->FAlign != TAlign::alTop || !c->Visible()) continue;
    c->FAligning = true;
    c->SetBounds(0, top, width, c->Height());
    c->FAligning = false;
    top += c->Height();
  }
}

// ---------------------------------------------------------------------------------------------
// TShape

TShape::TShape(TComponent* owner) : TAlignedGraphicControl(owner) {
  FWidth = 65;
  FHeight = 65;
  FBrush.OnChange = [this](TGraphicsObject*) { Invalidate(); };
  FPen.OnChange = [this](TGraphicsObject*) { Invalidate(); };
}

// The pen's line lies wholly inside the bounds, however wide it is.
void TShape::Paint() {
  HDC dc = Canvas().Handle();
  ScopedSelect pen(dc, FPen.Handle());
  ScopedSelect brush(dc, FBrush.Handle());
  const int inset = FPen.Width() / 2;
  const int right = FWidth - (FPen.Width() - 1 - inset);
  const int bottom = FHeight - (FPen.Width() - 1 - inset);
  ::Rectangle(dc, inset, inset, right, bottom);
}

// ---------------------------------------------------------------------------------------------
// TBevel

TBevel::TBevel(TComponent* owner) : TAlignedGraphicControl(owner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape value) {
  if (value == FShape) return;
  FShape = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Invalidate();
}

// Frames and lines are etched: a shadow line with a highlight line beside it (swapped when
// raised); the box is a single sunken or raised edge.
void TBevel::Paint() {
  HDC dc = Canvas().Handle();
  const bool lowered = FStyle == TBevelStyle::bsLowered;
  const UINT etched = lowered ? EDGE_ETCHED : EDGE_BUMP;
  RECT r = ClientRect();
  switch (FShape) {
    case TBevelShape::bsBox:
      DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      break;
    case TBevelShape::bsFrame:
      DrawEdge(dc, &r, etched, BF_RECT);
      break;
    case TBevelShape::bsTopLine: {
      RECT line{0, 0, FWidth, 2};
      DrawEdge(dc, &line, etched, BF_TOP);
      break;
    }
    case TBevelShape::bsBottomLine: {
      RECT line{0, FHeight - 2, FWidth, FHeight};
      DrawEdge(dc, &line, etched, BF_TOP);
      break;
    }
    case TBevelShape::bsLeftLine: {
      RECT line{0, 0, 2, FHeight};
      DrawEdge(dc, &line, etched, BF_LEFT);
      break;
    }
    case TBevelShape::bsRightLine: {
      RECT line{FWidth - 2, 0, FWidth, FHeight};
      DrawEdge(dc, &line, etched, BF_LEFT);
      break;
    }
    case TBevelShape::bsSpacer:
      break;
  }
}

}  // namespace vellumor
