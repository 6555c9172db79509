#pragma once
// Frames in the diagnostics log.
#include <string_view>

#include "wire/frame.h"

namespace platform {
class Host;
}

namespace net {

// Logs a frame's command number, and its bytes when the log is verbose.
void LogFrame(platform::Host& host, std::string_view kind, const wire::Frame& frame);

}  // namespace net
