// Owners of the Win32 handles the window holds, one small type per kind, so that no early return
// or failure leaks a GDI object or a window.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <uxtheme.h>

#include <utility>

namespace tarnwick::ui::win32 {

// Frees `Handle` with `Free` when it goes out of scope; moves, never copies.
template <typename Handle, auto Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void FreeIcon(HICON icon) { DestroyIcon(icon); }
inline void FreeTheme(HTHEME theme) { CloseThemeData(theme); }
inline void FreeWindow(HWND window) { DestroyWindow(window); }

using OwnedFont = Owned<HFONT, FreeGdiObject>;
using OwnedBrush = Owned<HBRUSH, FreeGdiObject>;
using OwnedIcon = Owned<HICON, FreeIcon>;
using OwnedTheme = Owned<HTHEME, FreeTheme>;
using OwnedWindow = Owned<HWND, FreeWindow>;

// An object selected into a device context until the end of the scope.
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;
  ~GdiSelection() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's device context for painting, between BeginPaint and EndPaint.
class PaintContext {
 public:
  explicit PaintContext(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;
  ~PaintContext() { EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A device context of the whole screen, for measuring fonts before a window exists.
class ScreenContext {
 public:
  ScreenContext() : dc_(GetDC(nullptr)) {}
  ScreenContext(const ScreenContext&) = delete;
  ScreenContext& operator=(const ScreenContext&) = delete;
  ~ScreenContext() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace tarnwick::ui::win32
