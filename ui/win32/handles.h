// Owners of the Windows handles the windows use: each frees its handle once, so that no early
// return leaks a GDI object, a window or a COM reference.
#pragma once

#include <windows.h>

#include <utility>

namespace tarnwick::ui::win32 {

// One owner template; `Free` releases a handle that is not the `Null` value.
template <typename Handle, auto Free, Handle Null = Handle{}>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Null; }
  Handle release() { return std::exchange(handle_, Null); }
  void reset(Handle handle = Null) {
    if (handle_ != Null) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Null;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
}  // namespace detail

using OwnedWindow = Owned<HWND, detail::DestroyWindowHandle>;
using OwnedFont = Owned<HFONT, detail::DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, detail::DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, detail::DeleteGdiObject>;
using OwnedPen = Owned<HPEN, detail::DeleteGdiObject>;
using OwnedRegion = Owned<HRGN, detail::DeleteGdiObject>;
using OwnedMemoryDc = Owned<HDC, detail::DeleteMemoryDc>;
using OwnedIcon = Owned<HICON, detail::DestroyIconHandle>;

// An object selected into a device context for a scope; the old one goes back at its end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A COM interface pointer that releases its reference.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For the out-parameter of a call that hands over a new reference.
  Interface** put() {
    reset();
    return &p_;
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  Interface* p_ = nullptr;
};

// The painting of one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

}  // namespace tarnwick::ui::win32
