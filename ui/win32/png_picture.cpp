#include "ui/win32/png_picture.h"

#include <wincodec.h>

#include <algorithm>

namespace tarnwick::ui::win32 {

BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::optional<PngPicture> PngPicture::FromResource(HMODULE module, int resourceId) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return FromBytes(data, SizeofResource(module, found));
}

std::optional<PngPicture> PngPicture::FromBytes(const void* data, DWORD size) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put())))) {
    return std::nullopt;
  }
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size))) {
    return std::nullopt;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                              decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())) ||
      FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;

  // Top-down, as WIC writes the rows.
  BITMAPINFO info = TopDown32BitInfo(static_cast<int>(width), static_cast<int>(height));
  void* bits = nullptr;
  PngPicture picture;
  picture.bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.bitmap_) return std::nullopt;
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    return std::nullopt;
  }
  picture.width_ = static_cast<int>(width);
  picture.height_ = static_cast<int>(height);
  picture.bits_ = static_cast<const RGBQUAD*>(bits);
  return picture;
}

RGBQUAD PngPicture::pixel(int x, int y) const {
  return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x)];
}

void PngPicture::drawScaled(HDC dc, const RECT& box) const { blend(dc, box, width_, height_); }

void PngPicture::drawCut(HDC dc, const RECT& box) const {
  const int w = std::min<int>(width_, box.right - box.left);
  const int h = std::min<int>(height_, box.bottom - box.top);
  blend(dc, RECT{box.left, box.top, box.left + w, box.top + h}, w, h);
}

void PngPicture::blend(HDC dc, const RECT& to, int sourceWidth, int sourceHeight) const {
  OwnedMemoryDc source(CreateCompatibleDC(dc));
  if (!source) return;
  GdiSelection picture(source.get(), bitmap_.get());
  // Stretching in AlphaBlend keeps the rows' alpha with their colours, so the frame's
  // transparent inside stays transparent when it is scaled.
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source.get(), 0, 0,
             sourceWidth, sourceHeight, blend);
}

}  // namespace tarnwick::ui::win32
