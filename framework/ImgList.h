// Image lists.
//   TImageList   equal-sized pictures with transparency masks, drawn by index
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "Classes.h"
#include "Graphics.h"

namespace vellumor {

// Owns its HIMAGELIST (32-bit colour with a mask), made on first use.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Changing the size empties the list.
  void SetSize(int width, int height);

  HIMAGELIST Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  int Count() const;

  // Adds the pictures of the bitmap (side by side, each Width wide); pixels of maskColor become
  // see-through. Returns the index of the first picture added, -1 when none could be.
  int AddMasked(const TBitmap& bitmap, TColor maskColor);
  // As AddMasked, with the bottom-left pixel's colour as the see-through one.
  int AddTransparent(const TBitmap& bitmap) { return AddMasked(bitmap, TransparentOf(bitmap)); }
  void Delete(int index);
  void Clear();

  // Draws picture index with its top-left corner at (x, y); see-through pixels keep what is
  // there. A disabled picture is drawn as an embossed shape in the system's shadow colours.
  // An index that is not a picture draws nothing.
  void Draw(HDC dc, int x, int y, int index, bool enabled = true);
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) {
    Draw(canvas.Handle(), x, y, index, enabled);
  }
  // Copies picture index into bitmap (sized Width x Height), its see-through pixels in
  // background. Returns false for an index that is not a picture.
  bool GetBitmap(int index, TBitmap& bitmap, TColor background);

  // Told after pictures were added, deleted or the size changed.
  TNotifyEvent OnChange;

 private:
  static TColor TransparentOf(const TBitmap& bitmap);
  void Changed();
  void DrawDisabled(HDC dc, int x, int y, int index);

  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
};

}  // namespace vellumor
