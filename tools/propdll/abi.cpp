// The exported entries of the reference plug-in: the client's C interface over RefPlugin.
#include <cstring>
#include <memory>
#include <string>

#include "bank_view.h"
#include "props/prop_abi.h"
#include "ref_plugin.h"

struct QintaraPropObject {
  refprop::RefPlugin plugin;
  // What the last GetScoreInfo handed out stays here until the next call.
  std::array<std::string, 4> scoreText;
  std::array<std::string, 4> title;
  std::array<std::string, 4> lines;
};

namespace {

std::string Str(const char* s) {
  return s == nullptr ? std::string() : std::string(s);
}

}  // namespace

extern "C" {

uint32_t QintaraProp_AbiVersion(void) {
  return QINTARA_PROP_ABI_VERSION;
}

QintaraPropObject* QintaraProp_Create(void) {
  auto obj = std::make_unique<QintaraPropObject>();
  refprop::RefPlugin* plugin = &obj->plugin;
  obj->plugin.SetBankView(
      refprop::MakeBankView([plugin](int op, double amount) { plugin->BankRequest(op, amount); }));
  return obj.release();
}

void QintaraProp_Release(QintaraPropObject* obj) {
  std::unique_ptr<QintaraPropObject> owned(obj);
}

int32_t QintaraProp_Initdll(QintaraPropObject* obj, const char* account, const char* /*loginKey*/,
                            const char* /*hostKind*/, uint64_t /*mainWindow*/,
                            const char* /*profile*/, int32_t* scale, int32_t* /*propParam*/) {
  return obj->plugin.Initdll(Str(account), scale != nullptr ? *scale : 1) ? 1 : 0;
}

int32_t QintaraProp_GetBaoInfo(QintaraPropObject* obj, int32_t chestLayout[30],
                               int32_t chestCentre[2], int32_t prizeTarget[8],
                               int32_t labelAnchor[2], int32_t timing[2], int32_t* closedPicture,
                               int32_t chestSize[2], int32_t* prizePicture, int32_t prizeSize[2]) {
  std::array<std::int32_t, 30> layout{};
  std::array<std::int32_t, 2> centre{};
  std::array<std::int32_t, 8> targets{};
  std::array<std::int32_t, 2> anchor{};
  std::array<std::int32_t, 2> time{};
  std::array<std::int32_t, 2> chest{};
  std::array<std::int32_t, 2> prize{};
  const bool on = obj->plugin.GetBaoInfo(layout, centre, targets, anchor, time, *closedPicture,
                                         chest, *prizePicture, prize);
  std::memcpy(chestLayout, layout.data(), sizeof(layout));
  std::memcpy(chestCentre, centre.data(), sizeof(centre));
  std::memcpy(prizeTarget, targets.data(), sizeof(targets));
  std::memcpy(labelAnchor, anchor.data(), sizeof(anchor));
  std::memcpy(timing, time.data(), sizeof(time));
  std::memcpy(chestSize, chest.data(), sizeof(chest));
  std::memcpy(prizeSize, prize.data(), sizeof(prize));
  return on ? 1 : 0;
}

int32_t QintaraProp_SetUserinfo(QintaraPropObject* obj, const char* nickName, const char* account,
                                int32_t seatBit, int32_t position, int32_t own, int32_t /*sex*/,
                                int32_t /*tag*/, const char* /*title*/) {
  return obj->plugin.SetUserinfo(Str(nickName), Str(account), seatBit, position, own != 0) ? 1 : 0;
}

void QintaraProp_rec_state(QintaraPropObject* obj, int32_t kind, int32_t flag, int32_t position) {
  obj->plugin.RecState(kind, flag != 0, position);
}

void QintaraProp_Rec_MSG(QintaraPropObject* obj, const uint8_t frame[QINTARA_PROP_FRAME_SIZE]) {
  obj->plugin.RecMsg(frame);
}

int32_t QintaraProp_CheckSendBuff(QintaraPropObject* obj) {
  return obj->plugin.Pending();
}

int32_t QintaraProp_GetSendBuff(QintaraPropObject* obj, int32_t* picture, const char** text,
                                const uint8_t** frame, int32_t* frameLength, int32_t* kind,
                                const int32_t** numbers, int32_t* numberCount,
                                const int32_t** style, int32_t* styleCount) {
  if (!obj->plugin.Next()) return 0;
  const refprop::Item& i = obj->plugin.Current();
  *picture = 0;
  *text = i.text.c_str();
  *frame = i.frame.empty() ? nullptr : i.frame.data();
  *frameLength = static_cast<int32_t>(i.frame.size());
  *kind = i.kind;
  *numbers = i.numbers.empty() ? nullptr : i.numbers.data();
  *numberCount = static_cast<int32_t>(i.numbers.size());
  *style = i.style.empty() ? nullptr : i.style.data();
  *styleCount = static_cast<int32_t>(i.style.size());
  return 1;
}

void QintaraProp_InitShowEnd(QintaraPropObject* obj) {
  obj->plugin.InitShowEnd();
}

int32_t QintaraProp_GetScoreInfo(QintaraPropObject* obj, const char* scoreText[4], double score[4],
                                 const char* chestTitle[4], const char* chestLines[4]) {
  std::array<double, 4> s{};
  if (obj->plugin.ScoreInfo(obj->scoreText, s, obj->title, obj->lines) != 1) return 0;
  for (std::size_t p = 0; p < 4; ++p) {
    scoreText[p] = obj->scoreText.at(p).c_str();
    score[p] = s.at(p);
    chestTitle[p] = obj->title.at(p).c_str();
    chestLines[p] = obj->lines.at(p).c_str();
  }
  return 1;
}

void QintaraProp_InitShowNext(QintaraPropObject* obj, int32_t flag) {
  obj->plugin.InitShowNext(flag != 0);
}

void QintaraProp_ShowGif(QintaraPropObject* obj, int32_t /*which*/, int32_t flag) {
  obj->plugin.ShowGif(flag != 0);
}

int32_t QintaraProp_ClearUser(QintaraPropObject* obj, int32_t position) {
  obj->plugin.ClearUser(position);
  return 1;
}

int32_t QintaraProp_Ainit(QintaraPropObject* /*obj*/, const char* /*profile*/) {
  return 1;
}

void QintaraProp_setbankstate(QintaraPropObject* obj, int32_t state) {
  obj->plugin.SetBankState(state);
}

void QintaraProp_SetKeyDown(QintaraPropObject* obj, int32_t keyCode) {
  obj->plugin.SetKeyDown(keyCode);
}

void QintaraProp_FixBuffPos(QintaraPropObject* /*obj*/) {}

void QintaraProp_UpdataMyProp(QintaraPropObject* obj, int32_t /*flag*/) {
  obj->plugin.LeaveTable();
}

void QintaraProp_InitExit(QintaraPropObject* obj, int32_t* mode) {
  obj->plugin.Exit(mode != nullptr ? *mode : 0);
}

}  // extern "C"
