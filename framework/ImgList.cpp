#include "ImgList.h"

namespace vellumor {

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  Destroying();
  if (FHandle) ImageList_Destroy(FHandle);
}

void TImageList::SetSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  if (FHandle) {
    ImageList_Destroy(FHandle);
    FHandle = nullptr;
  }
  FWidth = width;
  FHeight = height;
  Changed();
}

HIMAGELIST TImageList::Handle() {
  if (!FHandle) FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 4, 4);
  return FHandle;
}

int TImageList::Count() const {
  return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

TColor TImageList::TransparentOf(const TBitmap& bitmap) {
  return bitmap.Empty() ? clNone : static_cast<TColor>(bitmap.TransparentColor());
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor) {
  if (bitmap.Empty() || bitmap.Width() < FWidth || bitmap.Height() < FHeight) return -1;
  // The system blackens the masked pixels of the bitmap it is given: hand it a copy.
  TBitmap copy;
  copy.Assign(&bitmap);
  int first = maskColor == clNone ? ImageList_Add(Handle(), copy.Handle(), nullptr)
                                  : ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
  if (first >= 0) Changed();
  return first;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  ImageList_Remove(FHandle, index);
  Changed();
}

void TImageList::Clear() {
  if (Count() == 0) return;
  ImageList_RemoveAll(FHandle);
  Changed();
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
  if (!dc || index < 0 || index >= Count()) return;
  if (enabled)
    ImageList_Draw(FHandle, index, dc, x, y, ILD_TRANSPARENT);
  else
    DrawDisabled(dc, x, y, index);
}

// The shape of the picture (its mask) pressed into the face: once in the highlight colour one
// pixel down and right, once in the shadow colour on top.
void TImageList::DrawDisabled(HDC dc, int x, int y, int index) {
  MemoryDC maskDC;
  GdiObject mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  if (!maskDC.Get() || !mask) return;
  ScopedSelect selectMask(maskDC.Get(), mask.Get());
  RECT all{0, 0, FWidth, FHeight};
  FillRect(maskDC.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(FHandle, index, maskDC.Get(), 0, 0, ILD_MASK);

  // With black text and a white background a monochrome source maps 0 to black and 1 to white;
  // the raster operation then paints the brush where the mask is 0 and keeps dc where it is 1.
  constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  GdiObject highlight(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
  GdiObject shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
  {
    ScopedSelect brush(dc, highlight.Get());
    BitBlt(dc, x + 1, y + 1, FWidth, FHeight, maskDC.Get(), 0, 0, kBrushWhereSourceBlack);
  }
  {
    ScopedSelect brush(dc, shadow.Get());
    BitBlt(dc, x, y, FWidth, FHeight, maskDC.Get(), 0, 0, kBrushWhereSourceBlack);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap, TColor background) {
  if (index < 0 || index >= Count()) return false;
  ScreenDC screen;
  MemoryDC dc;
  GdiObject image(CreateCompatibleBitmap(screen.Get(), FWidth, FHeight));
  if (!image) return false;
  {
    ScopedSelect select(dc.Get(), image.Get());
    RECT all{0, 0, FWidth, FHeight};
    GdiObject brush(CreateSolidBrush(ColorToRGB(background)));
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(brush.Get()));
    ImageList_Draw(FHandle, index, dc.Get(), 0, 0, ILD_TRANSPARENT);
  }
  bitmap.SetHandle(static_cast<HBITMAP>(image.Release()));
  return true;
}

}  // namespace vellumor
