#include "props/seat_hooks.h"

#include "app/client.h"

namespace props {

namespace {

void Record(Client& c, const std::string& call) {
  c.host.Log("hook", call);
}

std::string Flag(bool on) {
  return on ? "true" : "false";
}

}  // namespace

bool ObjectExists(const Client& c) {
  return c.props.HasObject;
}

void StartProps(Client& c) {
  Record(c, "StartProps");
  // No plug-in library is loaded yet: the client runs without props.
  c.props.Prop_GameDllState = c.props.HasObject ? 1 : -1;
}

bool SetUserinfo(Client& c, const dispatch::PlayerRec& player, const std::string& account,
                 int seatBit, int pos, bool own) {
  Record(c, "SetUserinfo " + player.NickName + " " + account + " " + std::to_string(seatBit) + " " +
                std::to_string(pos) + " " + Flag(own));
  return true;
}

void ClearUser(Client& c, int pos) {
  Record(c, "ClearUser " + std::to_string(pos));
}

void RecState(Client& c, int kind, bool on, int pos) {
  Record(c, "rec_state " + std::to_string(kind) + " " + Flag(on) + " " + std::to_string(pos));
}

void Ainit(Client& c, const std::string& file) {
  Record(c, "Ainit " + file);
}

void InitShowNext(Client& c, bool on) {
  Record(c, "InitShowNext " + Flag(on));
}

void WealthFromPlayerInfo(Client& c, int pos) {
  Record(c, "WealthFromPlayerInfo " + std::to_string(pos));
}

void WealthPlayerLeft(Client& c, int pos, bool byTableStatus) {
  Record(c, "WealthPlayerLeft " + std::to_string(pos) + " " + Flag(byTableStatus));
}

void WealthAtHandStart(Client& c) {
  Record(c, "WealthAtHandStart");
}

void WealthMultiplierUpdate(Client& c) {
  Record(c, "WealthMultiplierUpdate");
}

void UpdataMyProp(Client& c, bool on) {
  c.host.Log("hook", std::string("UpdataMyProp ") + (on ? "true" : "false"));
}

void SetBankState(Client& c, int state) {
  c.host.Log("hook", "setbankstate " + std::to_string(state));
}

void InitShowEnd(Client& c) {
  c.host.Log("hook", "InitShowEnd");
}

void AfterScoreSheet(Client& c) {
  c.host.Log("hook", "AfterScoreSheet");
}

}  // namespace props
