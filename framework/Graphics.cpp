#include "Graphics.h"

#include <vector>

#include "SysUtils.h"

namespace vellumor {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF));
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

ScopedClip::ScopedClip(HDC dc) : FDC(dc), FSaved(CreateRectRgn(0, 0, 0, 0)) {
  if (GetClipRgn(dc, static_cast<HRGN>(FSaved.Get())) != 1) FSaved.Reset();
}

ScopedClip::~ScopedClip() {
  SelectClipRgn(FDC, static_cast<HRGN>(FSaved.Get()));
}

int ScreenPixelsPerInch() {
  ScreenDC dc;
  int ppi = GetDeviceCaps(dc.Get(), LOGPIXELSY);
  return ppi > 0 ? ppi : 96;
}

// The old object stays alive until the listener has let go of it (a canvas deselects it) and
// has picked up the new one (a control hands it to its window).
void TGraphicsObject::Changed() {
  GdiObject old = std::move(FHandle);
  if (OnChange) OnChange(this);
}

// A font nobody sized is 8 points, so it keeps its size at any screen density like the forms'.
TFont::TFont() : FHeight(-MulDiv(8, ScreenPixelsPerInch(), 72)) {}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FColor = source.FColor;
  FStyle = source.FStyle;
  FCharset = source.FCharset;
  Changed();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    std::wstring face = Widen(FName);
    FHandle.Reset(CreateFontW(FHeight, 0, 0, 0, (FStyle & fsBold) ? FW_BOLD : FW_NORMAL,
                              (FStyle & fsItalic) != 0, (FStyle & fsUnderline) != 0,
                              (FStyle & fsStrikeOut) != 0, FCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  }
  return static_cast<HFONT>(FHandle.Get());
}

void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (FStyle == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!FHandle) FHandle.Reset(CreateSolidBrush(ColorToRGB(FColor)));
  return static_cast<HBRUSH>(FHandle.Get());
}

void TBrush::SetColor(TColor color) {
  if (color == FColor && FStyle == TBrushStyle::bsSolid) return;
  FColor = color;
  FStyle = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

HPEN TPen::Handle() {
  if (FStyle == TPenStyle::psClear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  if (!FHandle)
    FHandle.Reset(CreatePen(FStyle == TPenStyle::psDot ? PS_DOT : PS_SOLID, FWidth, ColorToRGB(FColor)));
  return static_cast<HPEN>(FHandle.Get());
}

void TPen::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == FWidth) return;
  FWidth = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

TCanvas::TCanvas() {
  Font.OnChange = [this](TGraphicsObject*) { DeselectFont(); };
  Brush.OnChange = [this](TGraphicsObject*) { DeselectBrush(); };
  Pen.OnChange = [this](TGraphicsObject*) { DeselectPen(); };
}

TCanvas::~TCanvas() {
  DeselectAll();
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  DeselectAll();
  FHandle = dc;
}

void TCanvas::RequireFont() {
  if (!FHandle) return;
  if (!FOldFont) FOldFont = SelectObject(FHandle, Font.Handle());
  SetTextColor(FHandle, ColorToRGB(Font.Color()));
}

void TCanvas::RequireBrush() {
  if (!FHandle) return;
  if (!FOldBrush) FOldBrush = SelectObject(FHandle, Brush.Handle());
  SetBkColor(FHandle, ColorToRGB(Brush.Color()));
  SetBkMode(FHandle, Brush.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::RequirePen() {
  if (!FHandle) return;
  if (!FOldPen) FOldPen = SelectObject(FHandle, Pen.Handle());
}

void TCanvas::DeselectFont() {
  if (FOldFont && FHandle) SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
}

void TCanvas::DeselectBrush() {
  if (FOldBrush && FHandle) SelectObject(FHandle, FOldBrush);
  FOldBrush = nullptr;
}

void TCanvas::DeselectPen() {
  if (FOldPen && FHandle) SelectObject(FHandle, FOldPen);
  FOldPen = nullptr;
}

void TCanvas::DeselectAll() {
  DeselectFont();
  DeselectBrush();
  DeselectPen();
}

// Measuring needs a device context; without one the screen's is used for the moment.
SIZE TCanvas::TextExtent(std::string_view text) {
  std::wstring w = Widen(text);
  SIZE size{};
  if (FHandle) {
    RequireFont();
    GetTextExtentPoint32W(FHandle, w.c_str(), static_cast<int>(w.size()), &size);
  } else {
    ScreenDC dc;
    ScopedSelect font(dc.Get(), Font.Handle());
    GetTextExtentPoint32W(dc.Get(), w.c_str(), static_cast<int>(w.size()), &size);
  }
  return size;
}

int TCanvas::TextHeight(std::string_view text) {
  return TextExtent(text).cy;
}

int TCanvas::TextWidth(std::string_view text) {
  return TextExtent(text).cx;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (!FHandle) return;
  RequireFont();
  RequireBrush();
  std::wstring w = Widen(text);
  ExtTextOutW(FHandle, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, std::string_view text) {
  if (!FHandle) return;
  RequireFont();
  RequireBrush();
  std::wstring w = Widen(text);
  UINT options = ETO_CLIPPED | (Brush.Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(FHandle, x, y, options, &r, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

void TCanvas::FillRect(const RECT& r) {
  if (!FHandle || Brush.Style() == TBrushStyle::bsClear) return;
  ::FillRect(FHandle, &r, Brush.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  if (!FHandle || Brush.Style() == TBrushStyle::bsClear) return;
  ::FrameRect(FHandle, &r, Brush.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (!FHandle) return;
  RequirePen();
  RequireBrush();
  ::Rectangle(FHandle, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (FHandle) MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  if (!FHandle) return;
  RequirePen();
  ::LineTo(FHandle, x, y);
}

void TCanvas::DrawFocusRect(const RECT& r) {
  if (!FHandle) return;
  // The dotted pattern takes its colours from the context's text and background colours.
  COLORREF oldText = SetTextColor(FHandle, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(FHandle, RGB(255, 255, 255));
  ::DrawFocusRect(FHandle, &r);
  SetTextColor(FHandle, oldText);
  SetBkColor(FHandle, oldBk);
}

COLORREF TCanvas::Pixel(int x, int y) const {
  return FHandle ? GetPixel(FHandle, x, y) : CLR_INVALID;
}

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == Handle()) return;
  FHandle.Reset(bitmap);
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP h = static_cast<HBITMAP>(FHandle.Release());
  Changed();
  return h;
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, std::string_view name) {
  std::wstring w = Widen(name);
  HBITMAP h = LoadBitmapW(instance, w.c_str());
  FHandle.Reset(h);
  Changed();
  return h != nullptr;
}

void TBitmap::Assign(const TBitmap* source) {
  if (source == this) return;
  HBITMAP copy = nullptr;
  if (source && !source->Empty())
    copy = static_cast<HBITMAP>(CopyImage(source->Handle(), IMAGE_BITMAP, 0, 0, 0));
  FHandle.Reset(copy);
  Changed();
}

int TBitmap::Width() const {
  BITMAP bm{};
  if (!FHandle || !GetObjectW(FHandle.Get(), sizeof(bm), &bm)) return 0;
  return bm.bmWidth;
}

int TBitmap::Height() const {
  BITMAP bm{};
  if (!FHandle || !GetObjectW(FHandle.Get(), sizeof(bm), &bm)) return 0;
  return bm.bmHeight;
}

COLORREF TBitmap::PixelAt(int x, int y) const {
  if (!FHandle) return CLR_INVALID;
  MemoryDC dc;
  ScopedSelect sel(dc.Get(), FHandle.Get());
  return GetPixel(dc.Get(), x, y);
}

namespace {
// A monochrome mask of src: 1 where the bitmap has its transparent colour, 0 elsewhere.
GdiObject MakeMask(HDC srcDC, const RECT& src, COLORREF transparent) {
  int w = src.right - src.left, h = src.bottom - src.top;
  GdiObject mask(CreateBitmap(w, h, 1, 1, nullptr));
  MemoryDC maskDC;
  ScopedSelect sel(maskDC.Get(), mask.Get());
  COLORREF oldBk = SetBkColor(srcDC, transparent);
  BitBlt(maskDC.Get(), 0, 0, w, h, srcDC, src.left, src.top, SRCCOPY);
  SetBkColor(srcDC, oldBk);
  return mask;
}
}  // namespace

void TBitmap::DrawTransparent(HDC dc, int x, int y, const RECT& src) const {
  if (!FHandle) return;
  int w = src.right - src.left, h = src.bottom - src.top;
  COLORREF transparent = TransparentColor();  // before the bitmap is selected elsewhere
  MemoryDC srcDC;
  ScopedSelect selSrc(srcDC.Get(), FHandle.Get());
  GdiObject mask = MakeMask(srcDC.Get(), src, transparent);
  MemoryDC maskDC;
  ScopedSelect selMask(maskDC.Get(), mask.Get());
  // dest ^ src, then clear where opaque, then ^ src again: opaque pixels end up as src.
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, w, h, srcDC.Get(), src.left, src.top, SRCINVERT);
  BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, w, h, srcDC.Get(), src.left, src.top, SRCINVERT);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

namespace {
// A monochrome mask of src for the disabled look: 0 where the picture is dark enough to show,
// 1 at its transparent colour and at light pixels (a white face would otherwise grey the whole
// square).
GdiObject MakeDisabledMask(HBITMAP bitmap, const RECT& src, COLORREF transparent) {
  const int w = src.right - src.left, h = src.bottom - src.top;
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
  ScreenDC screen;
  GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS);
  const int stride = ((w + 15) / 16) * 2;  // monochrome rows are whole 16-bit words
  std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const RGBQUAD& p = pixels[static_cast<size_t>(y + src.top) * static_cast<size_t>(info.bmWidth) +
                                static_cast<size_t>(x + src.left)];
      const COLORREF colour = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
      const int luminance = (p.rgbRed * 30 + p.rgbGreen * 59 + p.rgbBlue * 11) / 100;
      if (colour == transparent || luminance >= 192)
        bits[static_cast<size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return GdiObject(CreateBitmap(w, h, 1, 1, bits.data()));
}

// Paints color where the mask is 0 and leaves the rest of dc alone.
void FillThroughMask(HDC dc, int x, int y, int w, int h, HDC maskDC, COLORREF color) {
  GdiObject brush(CreateSolidBrush(color));
  ScopedSelect selBrush(dc, brush.Get());
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  constexpr DWORD kBrushWhereMaskIsClear = 0x00B8074A;  // PSDPxax
  BitBlt(dc, x, y, w, h, maskDC, 0, 0, kBrushWhereMaskIsClear);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}
}  // namespace

void TBitmap::DrawDisabled(HDC dc, int x, int y, const RECT& src) const {
  if (!FHandle) return;
  const int w = src.right - src.left, h = src.bottom - src.top;
  GdiObject mask = MakeDisabledMask(static_cast<HBITMAP>(FHandle.Get()), src, TransparentColor());
  MemoryDC maskDC;
  ScopedSelect selMask(maskDC.Get(), mask.Get());
  FillThroughMask(dc, x + 1, y + 1, w, h, maskDC.Get(), ColorToRGB(clBtnHighlight));
  FillThroughMask(dc, x, y, w, h, maskDC.Get(), ColorToRGB(clBtnShadow));
}

}  // namespace vellumor
