// Buttons.
//   TSpeedButton   a push button without a window: pressed while the left button holds it,
//                  clicks on release over it, shows a glyph (several images side by side)
//   TBitBtn        a push button with a small picture left of its caption
#pragma once

#include "Controls.h"
#include "StdCtrls.h"

namespace vellumor {

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  // The button's own glyph object; assigning copies the image. The bottom-left pixel's colour
  // is see-through.
  TBitmap* Glyph() { return &FGlyph; }
  void SetGlyph(const TBitmap* value) { FGlyph.Assign(value); }
  // Images side by side in the glyph: up, disabled, down, exclusive.
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TButtonState State() const { return FState; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void WMCancelMode(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;

  TButtonState FState = TButtonState::bsUp;

 private:
  void DrawGlyph(int x, int y);

  TBitmap FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  bool FFlat = false;
  bool FDragging = false;
};

// Owner-drawn, so the picture and the caption share the face; the face is the theme's push
// button when visual styles are on.
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);

  // The button's own glyph; assigning copies the image. The bottom-left pixel's colour (magenta
  // in our pictures) is see-through.
  TBitmap* Glyph() { return &FGlyph; }
  void SetGlyph(const TBitmap* value);
  // Pixels between the picture and the caption.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CNDrawItem(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  // Paints the face for the ODS_* state into dc.
  virtual void DrawButton(HDC dc, const RECT& rect, UINT state);

 private:
  TBitmap FGlyph;
  int FSpacing = 4;
  bool FMouseInside = false;
};

}  // namespace vellumor
