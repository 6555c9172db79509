#include <exception>

#include "chat/chat.h"
#include "net/net.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/dispatch.h"
#include "session/hand_end.h"
#include "session/program.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "view/view.h"
#include "wire/messages.h"

namespace session {

namespace {

void PassToPlugin(Client& c) {
  if (c.props.Prop_GameDllState > 0) {
    props::RecMsg(c, c.net.RecvFrame);
  } else if (c.host.LogVerbose()) {
    // Its own kind: a "recv" line stands for one received frame, already logged by the decoder.
    c.host.Log("dropped", std::to_string(c.net.LastMsg.Cmd) + " (no plug-in)");
  }
}

constexpr std::size_t kAccountBytes = 16;

// Names are joined as they come, but an entry already as long as any account (16) can match
// no seat any more: it stops growing, so a flood of frames cannot fill the memory.
void JoinSeatName(Client& c, const wire::SeatNames& m) {
  std::string& name = c.net.SeatNames.at(static_cast<std::size_t>(table::BitIndex(m.Seat)));
  if (name.size() < kAccountBytes) name += text::DecodeSingleByte(m.Account, kAccountBytes);
}

// Command 19 is a chat line unless its length field marks a frame of the plug-in. A chat line
// turns the header's seat into the sender's position.
void ChatOrPlugin(Client& c, const wire::Chat& m, wire::NetMsg& header) {
  if (m.Length == 272 || m.Length == 260) {
    if (props::Active(c)) props::RecMsg(c, c.net.RecvFrame);
    return;
  }
  // The visible line ends at its first zero byte.
  const std::string line = text::DecodeDoubleByte(m.Line, m.Line.size(), true);
  const int pos = table::SeatPosOf(c.table.Hand[0].SeatBit, m.Seat);
  header.Seat = static_cast<std::uint8_t>(pos);
  chat::ShowChatLine(c.chatCtx, line, pos, m.Value[0], m.Value[2], m.Value[3]);
}

// Each handler gets its command's message, decoded once here from the frame being dispatched.
void RunHandler(Client& c, wire::NetMsg& header) {
  using wire::Cmd;
  const wire::Frame& f = c.net.RecvFrame;
  switch (static_cast<Cmd>(header.Cmd)) {
    case Cmd::Deal:
      play::OnDeal(c, wire::DecodeDeal(f));
      break;
    case Cmd::Discard:
      play::OnDiscardCmd(c, wire::DecodeDiscard(f));
      break;
    case Cmd::SeatNames:
      JoinSeatName(c, wire::DecodeSeatNames(f));
      OnSeatNames(c);
      break;
    case Cmd::HandStart:
      OnHandStart(c, wire::DecodeHandStart(f));
      break;
    case Cmd::Draw:
      play::OnDraw(c, wire::DecodeDraw(f));
      break;
    case Cmd::Prompt:
      view::OnDecisionPrompt(c, wire::DecodePrompt(f));
      break;
    case Cmd::ClaimResult:
      play::OnClaimResult(c, wire::DecodeClaimResult(f));
      break;
    case Cmd::HandResult:
      EnableBarAfterResume(c);
      OnHandResult(c, wire::DecodeHandResult(f));
      break;
    case Cmd::WildTile:
      play::OnWildTile(c, wire::DecodeWildTile(f));
      break;
    case Cmd::Reveal:
      play::OnReveal(c, wire::DecodeReveal(f));
      break;
    case Cmd::TableStatus:
      OnTableStatus(c, wire::DecodeTableStatus(f));
      break;
    case Cmd::WinDetail:
      OnWinDetail(c, wire::DecodeWinDetail(f));
      break;
    case Cmd::LoginResult:
      OnLoginResult(c, wire::DecodeLoginResult(f));
      break;
    case Cmd::Chat:
      ChatOrPlugin(c, wire::DecodeChat(f), header);
      break;
    case Cmd::PlayerInfo:
      OnPlayerInfo(c, wire::DecodePlayerInfo(f));
      break;
    case Cmd::PlayerLeft:
      OnPlayerLeft(c, wire::DecodePlayerLeft(f));
      break;
    case Cmd::TableClosed:
      OnTableClosed(c, wire::DecodeTableClosed(f));
      break;
    case Cmd::PlayerReady:
      OnPlayerReady(c, wire::DecodePlayerReady(f));
      break;
    case Cmd::ReconnectResult:
      session::OnReconnectResult(c, wire::DecodeReconnectResult(f));
      break;
    case Cmd::Snapshot:
      view::OnSnapshot(c, wire::DecodeSnapshot(f));
      break;
    case Cmd::HandResume:
      OnHandResume(c, wire::DecodeHandResume(f));
      break;
    case Cmd::PropScores:
      // Scores are announced to a running plug-in only; without one nothing waits for them.
      if (props::Active(c)) props::MarkScorePending(c);
      PassToPlugin(c);
      break;
    case Cmd::OwnGold:
      OnOwnGold(c, wire::DecodeGold(f));
      break;
    case Cmd::OtherGold:
      OnOtherGold(c, wire::DecodeGold(f));
      break;
    default:
      PassToPlugin(c);
      break;
  }
}

}  // namespace

void Dispatch(Client& c, wire::NetMsg& msg) {
  if (msg.Cmd != wire::Num(wire::Cmd::ReconnectResult)) {
    c.net.SessionKey[0] = c.net.RecvFrame[wire::kOffKey];
    c.net.SessionKey[1] = c.net.RecvFrame[wire::kOffKey + 1];
  }
  RunGuarded(c, msg.Cmd, [&] { RunHandler(c, msg); });
}

void RunGuarded(Client& c, int cmd, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    // A handler that trips over its frame gives the player back to the lobby and stops.
    c.host.Log("error", "command " + std::to_string(cmd) + ": " + e.what());
    session::RestoreLobbyAndEnd(c, "run-time error in command " + std::to_string(cmd));
  }
}

}  // namespace session
