#pragma once
// GDI+ is started once for the program and shut down after every GDI+ object is gone.
#include "winhost/win32.h"

#include <cstdint>

namespace winhost {

class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace winhost
