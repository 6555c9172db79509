#pragma once
// A whole client on the virtual host with a fake socket and a fake lobby.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/cmdline.h"
#include "platform/virtual/virtual_host.h"
#include "session/client.h"
#include "support/frame_builder.h"

namespace qtest {

// Fifteen fields, direct connection, no custom caption.
std::string CommandLine(const std::string& account = "alice", const std::string& host = "127.0.0.1",
                        int port = 7000);

class ClientTest : public ::testing::Test {
 protected:
  ClientTest();

  // Runs start-up with a command line; the program may end inside (see host.Ended()).
  void Start(const std::string& commandLine = CommandLine());
  // Start-up, connection and a successful login result.
  void StartLoggedIn();
  void Push(const wire::Frame& frame);
  void Push(std::span<const std::uint8_t> bytes);
  void Advance(std::int64_t ms) { host.Advance(ms); }
  // Frames the client has written to the socket so far.
  std::vector<wire::Frame> Sent() const { return SplitFrames(host.socket.sent); }
  std::vector<int> SentCommands() const;

  vhost::VirtualHost host;
  std::unique_ptr<Client> client;
  Client& c;
};

}  // namespace qtest
