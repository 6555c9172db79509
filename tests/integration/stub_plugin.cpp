// A plug-in library that only tells its version (STUB_VERSION): the client must refuse it.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::uint32_t QintaraProp_AbiVersion() {
  return STUB_VERSION;
}
