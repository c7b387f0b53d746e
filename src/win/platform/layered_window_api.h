// SetLayeredWindowAttributes looked up at run time: older systems lack it, and
// notes then simply stay opaque.
#pragma once
#include <windows.h>

namespace varnel::win {

class LayeredWindowApi {
 public:
  LayeredWindowApi() = default;
  ~LayeredWindowApi() { Free(); }
  LayeredWindowApi(const LayeredWindowApi&) = delete;
  LayeredWindowApi& operator=(const LayeredWindowApi&) = delete;

  void Load();  // once; a second call does nothing
  void Free();
  bool Available() const { return set_ != nullptr; }
  // The entry point's result, or 0 when it is missing.
  BOOL SetAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) const;

 private:
  using SetFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32_ = nullptr;
  SetFn set_ = nullptr;
  bool loaded_ = false;
};

}  // namespace varnel::win
