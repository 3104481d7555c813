// Extra controls.
//   TTimer   calls OnTimer every Interval milliseconds while enabled, through the message loop
//   TAlign, TAlignedGraphicControl   top alignment for the graphic controls below
//   TShape   a rectangle drawn with a pen and a brush
//   TBevel   an etched frame or line
#pragma once

#include <windows.h>

#include "Classes.h"
#include "Controls.h"

namespace vellumor {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  UINT Interval() const { return FInterval; }
  void SetInterval(UINT value);
  // The hidden window that receives this timer's WM_TIMER messages.
  HWND Handle() const { return FWindow; }

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateTimer();

  HWND FWindow = nullptr;
  bool FEnabled = true;
  UINT FInterval = 1000;
};

// Where a control sits in its parent: alTop spans the parent's client width and stacks below
// the earlier top-aligned siblings.
enum class TAlign { alNone, alTop };

// Alignment for the graphic controls below; the parent does not resize, so aligning when the
// control, its parent or its height changes is enough.
class TAlignedGraphicControl : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  ~TAlignedGraphicControl() override;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;

 private:
  void Realign();

  TAlign FAlign = TAlign::alNone;
  bool FAligning = false;
};

enum class TShapeType { stRectangle };

class TShape : public TAlignedGraphicControl {
 public:
  explicit TShape(TComponent* owner);

  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }
  TShapeType Shape() const { return TShapeType::stRectangle; }

 protected:
  void Paint() override;

 private:
  TBrush FBrush;
  TPen FPen;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TAlignedGraphicControl {
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = TBevelShape::bsBox;
  TBevelStyle FStyle = TBevelStyle::bsLowered;
};

}  // namespace vellumor
