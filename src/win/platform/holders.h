// The shell's RAII holders: kernel handles, registry keys, GDI objects and
// device contexts, the named mutex and COM pointers, so every early return
// gives back what it took.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace varnel::win {

// Owns one handle; Traits says what "none" is and how to free it.
template <typename Traits>
class Holder {
 public:
  using Handle = typename Traits::Handle;
  explicit Holder(Handle handle = Traits::None()) : handle_(handle) {}
  ~Holder() { Reset(); }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  Holder(Holder&& other) noexcept : handle_(other.Release()) {}
  Holder& operator=(Holder&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::None(); }
  // For an API that fills in a handle: the old one is freed first.
  Handle* Out() {
    Reset();
    return &handle_;
  }
  Handle Release() { return std::exchange(handle_, Traits::None()); }
  // False when freeing the old handle failed (a file close can report a lost write).
  bool Reset(Handle handle = Traits::None()) {
    const bool ok = handle_ == Traits::None() || Traits::Free(handle_);
    handle_ = handle;
    return ok;
  }

 private:
  Handle handle_;
};

struct KernelTraits {
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static bool Free(Handle h) { return CloseHandle(h) != 0; }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct FileTraits : KernelTraits {
  static Handle None() { return INVALID_HANDLE_VALUE; }
};
struct FindTraits : FileTraits {
  static bool Free(Handle h) { return FindClose(h) != 0; }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static bool Free(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
template <typename H>
struct GdiTraits {
  using Handle = H;
  static Handle None() { return nullptr; }
  static bool Free(Handle h) { return DeleteObject(h) != 0; }
};

using KernelHandle = Holder<KernelTraits>;
using FileHandle = Holder<FileTraits>;
using FindHandle = Holder<FindTraits>;  // FindFirstFileW
using RegKey = Holder<RegKeyTraits>;
// A pen, brush, font or bitmap.
template <typename H>
using GdiObject = Holder<GdiTraits<H>>;

// A named mutex and whether another process had made it first.
class NamedMutex {
 public:
  explicit NamedMutex(const wchar_t* name)
      : handle_(CreateMutexW(nullptr, FALSE, name)), existed_(GetLastError() == ERROR_ALREADY_EXISTS) {}
  bool AlreadyExisted() const { return existed_; }

 private:
  KernelHandle handle_;
  bool existed_;
};

// Owns one reference of a COM object.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Out() {
    Reset();
    return &p_;
  }
  void Reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

 private:
  T* p_ = nullptr;
};

// Selects an object into a DC for the scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// GetDC / ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC with a bitmap of the given size selected, compatible with dc.
class MemoryDc {
 public:
  MemoryDc(HDC dc, int width, int height)
      : dc_(CreateCompatibleDC(dc)), bitmap_(dc_ ? CreateCompatibleBitmap(dc, width, height) : nullptr) {
    if (bitmap_) old_ = SelectObject(dc_, bitmap_.Get());
  }
  ~MemoryDc() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  bool Ok() const { return dc_ && bitmap_; }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace varnel::win
