// libFuzzer entry: the client's whole frame path, from received bytes to handlers.
#include <cstddef>
#include <cstdint>

#include "fuzz_client.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static_cast<void>(qfuzz::RunInput({data, size}));
  return 0;
}
