// qintara-devserver: the development game server. Table mode (one person, three bots),
// scripted mode (--scenario) and four-bot self-play (--self-play).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

#include "scenario.h"
#include "selfplay.h"
#include "server.h"
#include "sockets.h"
#include "transcript.h"

namespace {

constexpr const char* kUsage =
    "usage: qintara-devserver [--port N] [--scenario FILE] [--self-play HANDS]\n"
    "                         [--countdown S] [--timeout-limit N] [--log FILE]\n"
    "                         [--seat N] [--bot-delay MS] [--seed N] [--run-for MS]\n"
    "                         [--demo-deal] [--ting-deal] [--transcript HANDS] [--grace MS]\n"
    "                         [--ready-wait MS] [--fault after:N|random:MIN:MAX]\n";

int ToInt(const std::string& s, const std::string& what) {
  try {
    std::size_t used = 0;
    const long v = std::stol(s, &used, 0);
    if (used != s.size()) throw std::invalid_argument(s);
    return static_cast<int>(v);
  } catch (const std::logic_error&) {
    throw std::runtime_error(what + " takes a number, not '" + s + "'");
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    int port = 0;
    std::string scenario;
    std::optional<int> selfPlay;
    std::optional<int> transcript;
    std::string logFile;
    devserver::ServerOptions opt;
    opt.seed = static_cast<std::uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0x7FFFFFFF);
    bool seeded = false;
    std::string faultPlan;
    for (int i = 1; i < argc; ++i) {
      const std::string a = argv[i];
      auto next = [&]() -> std::string {
        if (i + 1 >= argc) throw std::runtime_error(a + " needs a value");
        return argv[++i];
      };
      if (a == "--port") {
        port = ToInt(next(), a);
      } else if (a == "--scenario") {
        scenario = next();
      } else if (a == "--self-play") {
        selfPlay = ToInt(next(), a);
      } else if (a == "--transcript") {
        transcript = ToInt(next(), a);
      } else if (a == "--countdown") {
        opt.countdown = ToInt(next(), a);
      } else if (a == "--timeout-limit") {
        opt.timeoutLimit = ToInt(next(), a);
      } else if (a == "--log") {
        logFile = next();
      } else if (a == "--seat") {
        opt.humanSeat = ToInt(next(), a) & 3;
      } else if (a == "--bot-delay") {
        opt.botDelayMs = ToInt(next(), a);
      } else if (a == "--seed") {
        opt.seed = static_cast<std::uint32_t>(ToInt(next(), a));
        seeded = true;
      } else if (a == "--run-for") {
        opt.runForMs = ToInt(next(), a);
      } else if (a == "--grace") {
        opt.graceMs = ToInt(next(), a);
      } else if (a == "--ready-wait") {
        opt.readyWaitMs = ToInt(next(), a);
      } else if (a == "--demo-deal") {
        opt.demoDeal = true;
      } else if (a == "--ting-deal") {
        opt.tingDeal = true;
      } else if (a == "--fault") {
        faultPlan = next();
      } else if (a == "--help" || a == "-h") {
        std::cout << kUsage;
        return 0;
      } else {
        throw std::runtime_error("unknown option " + a);
      }
    }
    // The demo's lobby starts the server without options: the environment asks for the deal.
    if (const char* demo = std::getenv("QINTARA_DEMO_DEAL"); demo != nullptr && *demo == '1') {
      opt.demoDeal = true;
    }
    if (opt.countdown < 0 || opt.countdown > 15) {
      throw std::runtime_error("--countdown must be 0..15 (the login result has four bits)");
    }
    if (opt.timeoutLimit < 0 || opt.timeoutLimit > 255) {
      throw std::runtime_error("--timeout-limit must be 0..255");
    }
    if (!faultPlan.empty()) {
      opt.fault = devserver::FaultPlan::Parse(faultPlan, opt.seed);
      if (!opt.fault) throw std::runtime_error("--fault takes after:N or random:MIN:MAX");
    }
    if (opt.readyWaitMs < 0) throw std::runtime_error("--ready-wait must not be negative");
    std::ofstream logOut;
    if (!logFile.empty()) {
      logOut.open(logFile);
      if (!logOut) throw std::runtime_error("cannot write " + logFile);
    }
    std::ostream& logStream = logFile.empty() ? std::cerr : logOut;
    devserver::Logger log(logStream);

    if (transcript) {
      return devserver::WriteTranscript(*transcript, seeded ? opt.seed : 1, opt.humanSeat,
                                        std::cout)
                 ? 0
                 : 1;
    }
    if (selfPlay) {
      const auto t0 = std::chrono::steady_clock::now();
      const auto r = devserver::RunSelfPlay(*selfPlay, seeded ? opt.seed : 1,
                                            logFile.empty() ? nullptr : &logOut);
      const double secs =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      devserver::PrintSelfPlay(r, secs, std::cout);
      return r.ok ? 0 : 1;
    }

    std::optional<devserver::Scenario> sc;
    if (!scenario.empty()) sc = devserver::LoadScenario(scenario);
    devserver::Listener listener(port);
    std::cout << "listening on " << listener.Port() << std::endl;
    if (sc) return devserver::RunScenario(*sc, listener, log, std::cout);
    devserver::TableServer server(opt, listener, log);
    server.Run();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "qintara-devserver: " << e.what() << '\n' << kUsage;
    return 2;
  }
}
