#include "Buttons.h"

#include "SysUtils.h"

namespace vellumor {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  ControlStyle = csCaptureMouse | csDoubleClicks | csOpaque;
  FWidth = 23;
  FHeight = 22;
  FGlyph.OnChange = [this](TBitmap*) { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
  if (value < 1) value = 1;
  if (value > 4) value = 4;
  if (value == FNumGlyphs) return;
  FNumGlyphs = value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft && FEnabled) {
    FState = TButtonState::bsDown;
    FDragging = true;
    Invalidate();
  }
}

// While the left button is held the button looks pressed only with the pointer over it.
void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  POINT pt{x, y};
  RECT client = ClientRect();
  TButtonState state = PtInRect(&client, pt) ? TButtonState::bsDown : TButtonState::bsUp;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!FDragging || button != TMouseButton::mbLeft) return;
  FDragging = false;
  POINT pt{x, y};
  RECT client = ClientRect();
  bool over = PtInRect(&client, pt) != 0;
  FState = FEnabled ? TButtonState::bsUp : TButtonState::bsDisabled;
  Invalidate();
  if (over) Click();
}

void TSpeedButton::WMCancelMode(TMessage& m) {
  TGraphicControl::WMCancelMode(m);
  if (FDragging) {
    FDragging = false;
    FState = FEnabled ? TButtonState::bsUp : TButtonState::bsDisabled;
    Invalidate();
  }
}

void TSpeedButton::CMEnabledChanged(TMessage& m) {
  if (!FDragging) FState = FEnabled ? TButtonState::bsUp : TButtonState::bsDisabled;
  TGraphicControl::CMEnabledChanged(m);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  HDC dc = canvas.Handle();
  RECT r = ClientRect();
  bool down = FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
  canvas.Brush.SetColor(clBtnFace);
  canvas.FillRect(r);
  if (!FFlat)
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0u));
  else if (down)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  int shift = down ? 1 : 0;
  if (!FGlyph.Empty()) {
    int gw = FGlyph.Width() / FNumGlyphs, gh = FGlyph.Height();
    DrawGlyph((FWidth - gw) / 2 + shift, (FHeight - gh) / 2 + shift);
  } else if (!FText.empty()) {
    std::wstring text = Widen(FText);
    RECT tr{r.left + shift, r.top + shift, r.right + shift, r.bottom + shift};
    canvas.Font.Assign(FFont);
    ScopedSelect font(dc, canvas.Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FEnabled ? clBtnText : clGrayText));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TSpeedButton::DrawGlyph(int x, int y) {
  int gw = FGlyph.Width() / FNumGlyphs, gh = FGlyph.Height();
  int index = 0;
  switch (FState) {
    case TButtonState::bsUp:
      index = 0;
      break;
    case TButtonState::bsDisabled:
      index = 1;
      break;
    case TButtonState::bsDown:
      index = 2;
      break;
    case TButtonState::bsExclusive:
      index = 3;
      break;
  }
  HDC dc = Canvas().Handle();
  if (FState == TButtonState::bsDisabled && FNumGlyphs < 2) {
    // No disabled image: an embossed shape in the shadow colours.
    RECT src{0, 0, gw, gh};
    FGlyph.DrawShape(dc, x + 1, y + 1, src, ColorToRGB(clBtnHighlight));
    FGlyph.DrawShape(dc, x, y, src, ColorToRGB(clBtnShadow));
    return;
  }
  if (index >= FNumGlyphs) index = 0;
  RECT src{index * gw, 0, (index + 1) * gw, gh};
  FGlyph.DrawTransparent(dc, x, y, src);
}

}  // namespace vellumor
