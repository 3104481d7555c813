// Drawing.
//   TColor                  RGB, or 0xFF000000 + n for system colour n; ColorToRGB
//   GdiObject, ScopedSelect RAII owner of a GDI object; SelectObject guard that restores
//   ScreenDC                GetDC(nullptr) released on scope exit
//   TFont, TBrush, TPen     drawing tools that make their GDI object on demand
//   TCanvas                 drawing on a device context it does not own
//   TBitmap                 an owned HBITMAP, loaded from a resource or handed over
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "Classes.h"

// The canvas's own TextOut, not the header macro for the W function.
#undef TextOut

namespace vellumor {

using TColor = std::int32_t;

constexpr TColor SysColor(int index) {
  return static_cast<TColor>(0xFF000000u + static_cast<unsigned>(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);

COLORREF ColorToRGB(TColor color);

// Owns one GDI object (font, brush, pen, bitmap, region) and deletes it.
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ object) : FObject(object) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : FObject(std::exchange(other.FObject, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.FObject, nullptr));
    return *this;
  }
  ~GdiObject() { Reset(); }
  HGDIOBJ Get() const { return FObject; }
  HGDIOBJ Release() { return std::exchange(FObject, nullptr); }
  void Reset(HGDIOBJ object = nullptr) {
    if (FObject) DeleteObject(FObject);
    FObject = object;
  }
  explicit operator bool() const { return FObject != nullptr; }

 private:
  HGDIOBJ FObject = nullptr;
};

// Selects an object into a device context and puts the previous one back on scope exit.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (FOld) SelectObject(FDC, FOld);
  }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// A memory device context compatible with the screen, deleted on scope exit.
class MemoryDC {
 public:
  MemoryDC() : FDC(CreateCompatibleDC(nullptr)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

class ScreenDC {
 public:
  ScreenDC() : FDC(GetDC(nullptr)) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() {
    if (FDC) ReleaseDC(nullptr, FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

// Keeps the clipping region of a device context and puts it back on scope exit.
class ScopedClip {
 public:
  explicit ScopedClip(HDC dc);
  ScopedClip(const ScopedClip&) = delete;
  ScopedClip& operator=(const ScopedClip&) = delete;
  ~ScopedClip();

 private:
  HDC FDC;
  GdiObject FSaved;  // empty when the context had no clipping region
};

int ScreenPixelsPerInch();

// Shared base of the drawing tools: a change drops the cached GDI object after telling the
// listener, so a canvas can deselect it first.
class TGraphicsObject : public TObject {
 public:
  std::function<void(TGraphicsObject*)> OnChange;

 protected:
  void Changed();
  GdiObject FHandle;
};

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

class TFont : public TGraphicsObject {
 public:
  TFont();
  void Assign(const TFont& source);

  HFONT Handle();
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  int Size() const;  // points at the screen density
  void SetSize(int points);
  int Height() const { return FHeight; }  // pixels, negative: character height
  void SetHeight(int height);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);  // no new handle: text colour is not part of the GDI font
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE charset);

 private:
  std::string FName = "Tahoma";
  int FHeight;  // 8 points at the screen's density until set
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  BYTE FCharset = DEFAULT_CHARSET;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  HBRUSH Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDot, psClear };

class TPen : public TGraphicsObject {
 public:
  HPEN Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
};

class TBitmap;

// Draws on a device context it does not own. Its font, brush and pen are selected only while
// needed and the context's own objects are always put back (SetHandle, destructor, a tool change).
class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle() const { return FHandle; }
  void SetHandle(HDC dc);

  TFont Font;
  TBrush Brush;
  TPen Pen;

  int TextHeight(std::string_view text);
  int TextWidth(std::string_view text);
  SIZE TextExtent(std::string_view text);
  void TextOut(int x, int y, std::string_view text);
  void TextRect(const RECT& r, int x, int y, std::string_view text);
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  // Outline with the pen, interior with the brush; right and bottom exclusive.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void DrawFocusRect(const RECT& r);
  COLORREF Pixel(int x, int y) const;

 private:
  void RequireFont();
  void RequireBrush();
  void RequirePen();
  void DeselectAll();
  void DeselectFont();
  void DeselectBrush();
  void DeselectPen();

  HDC FHandle = nullptr;
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  HGDIOBJ FOldPen = nullptr;
};

class TBitmap : public TObject {
 public:
  TBitmap() = default;

  HBITMAP Handle() const { return static_cast<HBITMAP>(FHandle.Get()); }
  // Takes ownership of the handle (the previous one is deleted); nullptr empties the bitmap.
  void SetHandle(HBITMAP bitmap);
  HBITMAP ReleaseHandle();
  // Loads a bitmap resource by name (case-insensitive) from a module; empty when missing.
  // Returns whether a bitmap was loaded.
  bool LoadFromResourceName(HINSTANCE instance, std::string_view name);
  void Assign(const TBitmap* source);  // copies the image; nullptr empties
  bool Empty() const { return !FHandle; }
  int Width() const;
  int Height() const;
  COLORREF PixelAt(int x, int y) const;
  // The colour drawn as see-through: the bottom-left pixel, as glyph bitmaps are made.
  COLORREF TransparentColor() const { return PixelAt(0, Height() - 1); }
  // Draws the part src of the bitmap at (x, y), leaving the pixels of transparent colour alone.
  void DrawTransparent(HDC dc, int x, int y, const RECT& src) const;
  // Draws src as the system draws a disabled picture: its dark pixels as an etched shape in the
  // highlight and shadow colours; the transparent colour and light pixels leave the ground alone.
  void DrawDisabled(HDC dc, int x, int y, const RECT& src) const;

  std::function<void(TBitmap*)> OnChange;

 private:
  void Changed();
  GdiObject FHandle;
};

}  // namespace vellumor
