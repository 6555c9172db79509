#pragma once
// Named table states built with the table's own placement procedures, for screenshots and the
// rendering benchmark.
#include <memory>
#include <string>

#include "platform/virtual/virtual_host.h"
#include "session/client.h"

namespace snapshot {

struct Table {
  vhost::VirtualHost host;
  std::unique_ptr<Client> client;
};

// state: "empty", "wall", "midhand", or the middle of a hand with a result window over it:
// "drawsheet", "winsheet", "history"; small selects the 800 x 600 screen. Throws on an
// unknown state.
std::unique_ptr<Table> BuildTable(const std::string& state, bool small);

}  // namespace snapshot
