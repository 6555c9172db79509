#include "winhost/win_instance.h"

namespace winhost {

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool SingleInstance::AnotherRunning() {
  if (mutex_ != nullptr) return false;
  HANDLE m = CreateMutexW(nullptr, FALSE, name_.c_str());
  if (m == nullptr) return false;  // cannot tell: let this copy run
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(m);
    return true;
  }
  mutex_ = m;
  return false;
}

}  // namespace winhost
