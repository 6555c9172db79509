#include <chrono>
#include <iostream>

#include "selfplay.h"

int main() {
  const auto t0 = std::chrono::steady_clock::now();
  auto r = devserver::RunSelfPlay(200, 1, nullptr);
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  devserver::PrintSelfPlay(r, secs, std::cout);
  return r.ok ? 0 : 1;
}
