#pragma once
// Frames in the diagnostics log.
#include <string_view>

#include "net/frame.h"

namespace platform {
class Host;
}

namespace net {

// Logs a frame's command number, and its bytes when the log is verbose.
void LogFrame(platform::Host& host, std::string_view kind, const Frame& frame);

}  // namespace net
