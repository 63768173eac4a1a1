// PNG pictures decoded by the Windows Imaging Component into premultiplied 32-bit bitmaps, and
// drawn over what lies beneath them by their alpha.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/win32/handles.h"

namespace tarnwick::ui::win32 {

// The header of a top-down 32-bit device-independent bitmap: rows from the top, each pixel blue,
// green, red and alpha bytes.
BITMAPINFO TopDown32BitInfo(int width, int height);

class PngPicture {
 public:
  // Decodes the PNG held in a resource of type RCDATA; nothing when it is missing or the system
  // cannot decode it. COM must be initialised on the calling thread.
  static std::optional<PngPicture> FromResource(HMODULE module, int resourceId);
  // Decodes PNG bytes in memory.
  static std::optional<PngPicture> FromBytes(const void* data, DWORD size);

  int width() const { return width_; }
  int height() const { return height_; }
  HBITMAP bitmap() const { return bitmap_.get(); }
  // The premultiplied blue, green, red, alpha bytes of a pixel.
  RGBQUAD pixel(int x, int y) const;

  // Blends the whole picture over `dc`, scaled to `box`.
  void drawScaled(HDC dc, const RECT& box) const;
  // Blends the picture at its own size with its top left corner on the box's, cut to the box.
  void drawCut(HDC dc, const RECT& box) const;

 private:
  PngPicture() = default;
  void blend(HDC dc, const RECT& to, int sourceWidth, int sourceHeight) const;

  int width_ = 0;
  int height_ = 0;
  OwnedBitmap bitmap_;
  const RGBQUAD* bits_ = nullptr;  // top-down rows of the DIB section, owned by the bitmap
};

}  // namespace tarnwick::ui::win32
