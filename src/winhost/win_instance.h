#pragma once
// One copy of the client per user session: a named mutex held for the whole run.
#include "winhost/win32.h"

#include <string>

namespace winhost {

class SingleInstance {
 public:
  // name: the mutex's name, per session ("Local\\...") unless it says otherwise.
  explicit SingleInstance(std::wstring name = L"Local\\QintaraTableClient")
      : name_(std::move(name)) {}
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another process holds the mutex already; otherwise this one holds it from now on.
  bool AnotherRunning();

 private:
  std::wstring name_;
  HANDLE mutex_ = nullptr;
};

}  // namespace winhost
