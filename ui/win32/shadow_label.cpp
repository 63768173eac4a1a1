#include "ui/win32/shadow_label.h"

#include <cstring>

#include "ui/win32/handles.h"
#include "ui/win32/png_picture.h"

namespace tarnwick::ui::win32 {

namespace {

// Centred, top-aligned, one line: how the label lays its caption out.
constexpr UINT kCaptionFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_EXPANDTABS;

// A top-down 32-bit bitmap the size of a picture, selected into a memory context, whose pixels
// are the picture's layout in memory.
class PictureSurface {
 public:
  PictureSurface(HDC like, int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = TopDown32BitInfo(width, height);
    dc_.reset(CreateCompatibleDC(like));
    bitmap_.reset(CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~PictureSurface() {
    if (previous_) SelectObject(dc_.get(), previous_);
  }
  PictureSurface(const PictureSurface&) = delete;
  PictureSurface& operator=(const PictureSurface&) = delete;

  bool ok() const { return bits_ != nullptr && previous_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  std::size_t bytes() const {
    return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4;
  }
  void copyTo(RgbaPicture& picture) {
    GdiFlush();
    std::memcpy(picture.data(), bits_, bytes());
  }
  void copyFrom(const RgbaPicture& picture) {
    GdiFlush();
    std::memcpy(bits_, picture.data(), bytes());
  }

 private:
  int width_;
  int height_;
  OwnedMemoryDc dc_;
  OwnedBitmap bitmap_;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

void DrawCaption(HDC dc, RECT box, const std::wstring& text, HFONT font, COLORREF colour) {
  GdiSelection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kCaptionFormat);
}

COLORREF ToColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void PaintShadowLabel(HDC dc, const RECT& box, const std::wstring& text, HFONT font,
                      const LabelShadow& shadow, const LabelKind& kind, COLORREF fontColour) {
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const Rgb textColour = LabelTextColor(
      kind, Rgb{GetRValue(fontColour), GetGValue(fontColour), GetBValue(fontColour)});
  PictureSurface surface(dc, width, height);
  if (shadow.mode == ShadowMode::Soft && surface.ok()) {
    // The mask: the caption in white on black, moved by the shadow's distance.
    RgbaPicture mask(width, height);
    surface.copyFrom(mask);
    DrawCaption(
        surface.dc(),
        RECT{shadow.distance, shadow.distance, width + shadow.distance, height + shadow.distance},
        text, font, RGB(255, 255, 255));
    surface.copyTo(mask);
    // What lies beneath the transparent label, with the shadow blended in.
    RgbaPicture backdrop(width, height);
    BitBlt(surface.dc(), 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
    surface.copyTo(backdrop);
    surface.copyFrom(SoftShadowPicture(std::move(backdrop), mask, shadow));
    BitBlt(dc, box.left, box.top, width, height, surface.dc(), 0, 0, SRCCOPY);
  }
  DrawCaption(dc, box, text, font, ToColorRef(textColour));
}

}  // namespace tarnwick::ui::win32
