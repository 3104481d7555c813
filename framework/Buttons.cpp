#include "Buttons.h"

#include "SysUtils.h"
#include "Themes.h"

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
    FGlyph.DrawDisabled(dc, x, y, RECT{0, 0, gw, gh});
    return;
  }
  if (index >= FNumGlyphs) index = 0;
  RECT src{index * gw, 0, (index + 1) * gw, gh};
  FGlyph.DrawTransparent(dc, x, y, src);
}

}  // namespace vellumor

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// TBitBtn

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
  FGlyph.OnChange = [this](TBitmap*) { Invalidate(); };
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(const TBitmap* value) {
  FGlyph.Assign(value);
  Invalidate();
}

void TBitBtn::SetSpacing(int value) {
  if (value == FSpacing) return;
  FSpacing = value;
  Invalidate();
}

// The face follows the pointer (hot look) while the theme shows one.
void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (!FMouseInside && FHandle) {
        FMouseInside = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      FMouseInside = false;
      Invalidate();
      break;
    default:
      break;
  }
  TButton::WndProc(m);
}

void TBitBtn::CMEnabledChanged(TMessage& m) {
  TButton::CMEnabledChanged(m);
  Invalidate();
}

void TBitBtn::CNDrawItem(TMessage& m) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  DrawButton(dis->hDC, dis->rcItem, dis->itemState);
  m.Result = TRUE;
}

void TBitBtn::DrawButton(HDC dc, const RECT& rect, UINT state) {
  const bool pressed = (state & ODS_SELECTED) != 0;
  const bool disabled = (state & ODS_DISABLED) != 0 || !FEnabled;
  const bool focused = (state & ODS_FOCUS) != 0;
  const bool isDefault = ShowsDefault();
  RECT face = rect;
  TBrush back;
  back.SetColor(FParent ? FParent->Color() : clBtnFace);
  ::FillRect(dc, &face, back.Handle());
  const bool themed = ThemeServices().ThemesEnabled();
  if (themed) {
    TThemedButton detail = disabled       ? TThemedButton::tbPushButtonDisabled
                           : pressed      ? TThemedButton::tbPushButtonPressed
                           : FMouseInside ? TThemedButton::tbPushButtonHot
                           : isDefault    ? TThemedButton::tbPushButtonDefaulted
                                          : TThemedButton::tbPushButtonNormal;
    ThemeServices().DrawElement(dc, ThemeServices().GetElementDetails(detail), face);
  } else {
    if (isDefault) {
      FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0u));
    if (pressed) {
      TBrush shadow;
      shadow.SetColor(clBtnShadow);
      FrameRect(dc, &face, shadow.Handle());
    }
  }

  // Picture and caption side by side, the pair centred; pressed, both move down and right.
  ScopedSelect font(dc, FFont.Handle());
  std::wstring text = Widen(Text());
  RECT textSize{0, 0, 0, 0};
  if (!text.empty())
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textSize, DT_SINGLELINE | DT_CALCRECT);
  const int glyphWidth = FGlyph.Empty() ? 0 : FGlyph.Width();
  const int glyphHeight = FGlyph.Empty() ? 0 : FGlyph.Height();
  const int gap = glyphWidth > 0 && !text.empty() ? FSpacing : 0;
  const int total = glyphWidth + gap + textSize.right;
  const int shift = pressed ? 1 : 0;
  int x = rect.left + (rect.right - rect.left - total) / 2 + shift;
  const int middle = (rect.top + rect.bottom) / 2 + shift;
  if (glyphWidth > 0) {
    RECT src{0, 0, glyphWidth, glyphHeight};
    const int y = middle - glyphHeight / 2;
    if (disabled) {
      FGlyph.DrawDisabled(dc, x, y, src);
    } else {
      FGlyph.DrawTransparent(dc, x, y, src);
    }
    x += glyphWidth + gap;
  }
  if (!text.empty()) {
    RECT textRect{x, middle - textSize.bottom / 2, x + textSize.right,
                  middle - textSize.bottom / 2 + textSize.bottom};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_SINGLELINE | DT_NOCLIP;
    if (disabled) {
      RECT shifted = textRect;
      OffsetRect(&shifted, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, flags);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(clBtnText));
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags);
    SetBkMode(dc, oldMode);
  }
  if (focused && !(state & ODS_NOFOCUSRECT)) {
    RECT focus = rect;
    InflateRect(&focus, themed ? -3 : -4, themed ? -3 : -4);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace vellumor
