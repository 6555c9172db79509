#include "winhost/dpi.h"

namespace winhost {

namespace {

// The functions are looked up at run time: older systems do not have them.
template <class Fn>
Fn UserFunction(const char* name) {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  if (user == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

}  // namespace

void EnableDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto set = UserFunction<SetContext>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then the first version.
    if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
    if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3)))) return;
  }
  using SetAware = BOOL(WINAPI*)();
  if (auto aware = UserFunction<SetAware>("SetProcessDPIAware")) aware();
}

double WindowPixelRatio(HWND hwnd) {
  using GetDpi = UINT(WINAPI*)(HWND);
  if (auto get = UserFunction<GetDpi>("GetDpiForWindow")) {
    const UINT dpi = get(hwnd);
    if (dpi > 0) return dpi / 96.0;
  }
  HDC dc = GetDC(nullptr);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

}  // namespace winhost
