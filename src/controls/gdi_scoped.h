// Small RAII holders for GDI objects and icons: a created object is deleted, a selected one
// is re-selected out, on every way out of a paint or of the window.
#pragma once

#include "controls/windows_api.h"

namespace pcn::gdi {

// Selects `object` into `dc` and puts the previous object back when it goes out of scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, previous_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Owns a created pen, brush, font, region or bitmap.
template <typename Handle>
class Owned {
 public:
  explicit Owned(Handle handle = nullptr) : handle_(handle) {}
  ~Owned() {
    if (handle_) DeleteObject(handle_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Handle get() const { return handle_; }
  // Takes `handle` in place of the object held so far, which is deleted.
  void reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) DeleteObject(handle_);
    handle_ = handle;
  }
  // Hands the object to someone else (the window that now owns a region, say).
  Handle release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  Handle handle_;
};

// Owns an icon loaded or created by the program (not a shared one).
class OwnedIcon {
 public:
  explicit OwnedIcon(HICON icon = nullptr) : icon_(icon) {}
  ~OwnedIcon() { reset(); }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  HICON get() const { return icon_; }
  void reset(HICON icon = nullptr) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_;
};

// A memory device context, deleted at the end.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A two-colour vertical or horizontal GradientFill over `rect`, from `first` (top or
// left) to `second`. Vertex channels are 16 bits: the 8-bit value in the high byte.
void FillGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second, bool vertical);

}  // namespace pcn::gdi
