#include "net/frame_log.h"

#include <cstdio>
#include <string>

#include "platform/host.h"

namespace net {

void LogFrame(platform::Host& host, std::string_view kind, const wire::Frame& frame) {
  std::string detail = std::to_string(frame[wire::kOffCmd]);
  if (host.LogVerbose()) {
    detail += ' ';
    char hex[4];
    for (std::uint8_t b : frame) {
      std::snprintf(hex, sizeof hex, "%02x", b);
      detail += hex;
    }
  }
  host.Log(kind, detail);
}

}  // namespace net
