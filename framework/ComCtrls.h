// Common controls.
//   TPageControl   a SysTabControl32 whose tabs choose which of its sheets shows
//   TTabSheet      one page of a page control, holding controls of its own
//   DispatchPageKey   Ctrl+Tab and Ctrl+Shift+Tab for the page control around the focus
#pragma once

#include <vector>

#include "Controls.h"

namespace vellumor {

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* value);
  void SetParent(TWinControl* parent) override;
  // Position among the page control's sheets; -1 without one.
  int PageIndex() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CMTextChanged(TMessage& message) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  // An index that is not a page leaves no page active.
  void SetActivePageIndex(int value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value);
  // The next (or previous) page, wrapping around.
  void SelectNextPage(bool goForward);
  // The rectangle in client coordinates the sheets fill, below the tabs.
  RECT DisplayRect();
  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNNotify(TMessage& message) override;
  void WMSize(TMessage& message) override;
  void WMKeyDown(TMessage& message) override;
  void WMGetDlgCode(TMessage& message) override;
  virtual void Change();

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTab(TTabSheet* page);
  void LayoutSheets();
  // Shows page, hides the others, and moves a focus that was on the old page.
  void ChangeActivePage(TTabSheet* page);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FHotTrack = false;
};

// Ctrl+Tab / Ctrl+Shift+Tab with the focus on focused: switches the page of the innermost page
// control holding it (or being it). Returns whether the key was used; forms call this first.
bool DispatchPageKey(TWinControl* focused, WORD key, TShiftState shift);

}  // namespace vellumor
