// Spin controls.
//   TTimerSpeedButton   a speed button that keeps clicking while held; can show a focus frame
//   TSpinButton         an up and a down half stacked, with keyboard and focus hand-over
//   TSpinEdit           a one-line whole-number field with a spin button at its right edge
#pragma once

#include <cstdint>

#include "Buttons.h"
#include "Controls.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

namespace vellumor {

using TRepeatButtonFlags = std::uint8_t;
constexpr TRepeatButtonFlags rfFocusFrame = 1;
constexpr TRepeatButtonFlags rfAutoRepeat = 2;

class TTimerSpeedButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;
  ~TTimerSpeedButton() override;

  TTimer* AutoRepeatTimer = nullptr;
  TRepeatButtonFlags RepeatButtonFlags = 0;

  void RepeatTick(TObject* sender);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
};

class TSpinButton : public TWinControl {
 public:
  explicit TSpinButton(TComponent* owner);

  TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
  void SetUpGlyph(const TBitmap* value);
  TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
  void SetDownGlyph(const TBitmap* value);
  TNumGlyphs UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
  void SetUpNumGlyphs(TNumGlyphs value) { FUpButton->SetNumGlyphs(value); }
  TNumGlyphs DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
  void SetDownNumGlyphs(TNumGlyphs value) { FDownButton->SetNumGlyphs(value); }

  TTimerSpeedButton* UpSpeedButton() const { return FUpButton; }
  TTimerSpeedButton* DownSpeedButton() const { return FDownButton; }
  TTimerSpeedButton* CurrentButton() const { return FFocusedButton; }

  TWinControl* FocusControl = nullptr;
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void Loaded() override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void WMSize(TMessage& message) override;
  void WMSetFocus(TMessage& message) override;
  void WMKillFocus(TMessage& message) override;
  void WMGetDlgCode(TMessage& message) override;

 private:
  TTimerSpeedButton* MakeSpeedButton();
  void LayoutButtons(int& width, int& height);
  void AdjustToLayout();
  void SelectCurrentButton(TTimerSpeedButton* button);
  void HandleButtonPress(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void HandleButtonClick(TObject* sender);
  void LoadBuiltInGlyph(TTimerSpeedButton* half, const char* name);

  TTimerSpeedButton* FUpButton = nullptr;
  TTimerSpeedButton* FDownButton = nullptr;
  TTimerSpeedButton* FFocusedButton = nullptr;
};

class TSpinEdit : public TCustomEdit {
 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  std::int32_t Increment = 1;
  bool EditorEnabled = true;

  TSpinButton* SpinButton() const { return FButton; }

  // Read from the text each time: text that is not a whole 32-bit number reads as MinValue.
  std::int32_t Value() const;
  // Writes the clamped number into the text, even when the text already shows it.
  void SetValue(std::int32_t value);

  virtual bool AcceptsChar(wchar_t key) const;
  virtual void StepUp(TObject* sender);
  virtual void StepDown(TObject* sender);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  // Esc never reaches the window, as in the memo: inside a dialog the multi-line edit would take
  // it as a request to close its parent. OnKeyDown and OnKeyPress still see it.
  bool KeepsKeyFromWindow(WORD key) const override { return key == VK_ESCAPE; }
  bool KeepsCharFromWindow(wchar_t ch) const override { return ch == 0x1B; }
  void WMSize(TMessage& message) override;
  void WMPaste(TMessage& message) override;
  void WMCut(TMessage& message) override;
  void CMEnter(TMessage& message) override;
  void CMExit(TMessage& message) override;

 private:
  std::int32_t ClampValue(std::int32_t value) const;
  int MinimumHeight();
  void UpdateEditArea();

  TSpinButton* FButton = nullptr;
};

}  // namespace vellumor
