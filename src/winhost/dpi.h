#pragma once
// Per-monitor pixel density, where the system has it (Windows 10 1703 and later); older
// systems and Wine fall back to the system-wide setting.
#include "winhost/win32.h"

namespace winhost {

// Called once before the first window: the program draws at each monitor's own density.
void EnableDpiAwareness();
// Device pixels per design pixel of the monitor a window is on (1 at 96 dpi).
double WindowPixelRatio(HWND hwnd);

}  // namespace winhost
