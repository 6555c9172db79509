#include <exception>
#include <stdexcept>

#include "app/cmdline.h"
#include "net/net.h"
#include "platform/messages.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "text/gbk.h"
#include "text/number.h"
#include "ui/messages.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;
constexpr float kSmallScale = 0.78125F;
// The framed window, in pixels (15 twips each).
constexpr int kFramedWidth = 15600 / 15;
constexpr int kFramedHeight = 11940 / 15;
constexpr int kFrameSide = 120 / 15;
constexpr int kFrameTop = 300 / 15;

void SizeWindow(Client& c) {
  const platform::ScreenSize screen = c.host.Screen();
  auto& form = c.MainForm;
  platform::Rect win{0, 0, 0, 0};
  platform::Rect pic{0, 0, 0, 0};
  bool framed = false;
  if (screen.height <= kDesignHeight) {
    win.height = screen.height;
    pic.height = screen.height;
  } else {
    win.height = kFramedHeight;
    pic.top = kFrameTop;
    pic.height = kDesignHeight;
    framed = true;
  }
  if (screen.width <= kDesignWidth) {
    win.width = screen.width;
    pic.width = screen.width;
  } else {
    win.width = kFramedWidth;
    pic.left = kFrameSide;
    pic.width = kDesignWidth;
    framed = true;
  }
  form.SetGeometry(win);
  form.Pic1.Move(pic.left, pic.top, pic.width, pic.height);
  if (framed) ui::PaintBorder(c.MainForm);
  if (screen.height < kDesignHeight || screen.width < kDesignWidth) {
    c.table.ScaleX = c.table.ScaleY = kSmallScale;
    ui::PaintSmallTable(c.MainForm);
    form.Pic1.ZOrder(1);
    form.Host.Move(6, 192);
    form.Zhuang.Move(45, 192);
    form.Sysmsg(0).SetFontSize(8);
    form.Sysmsg(1).SetFontSize(8);
  } else {
    c.table.ScaleX = c.table.ScaleY = 1.0F;
  }
}

void ResetDefaults(Client& c) {
  c.table.DefaultCountdown = 8;
  c.table.LastDiscardCtl = -1;
  c.net.HoldQuit = false;
  c.net.Online = false;
  c.net.LoginPending = false;
  c.net.SilentTicks = 0;
  c.net.g_bCanRecon = false;
  c.ui.SoundOn = c.ui.MusicOn = c.ui.VoiceOn = true;
  c.net.TaskOn.fill(false);
  c.app.SeatChangeText = {"正在随机换座中..", "正在随机换座中...", "正在随机换座中....",
                          "正在随机换座中....."};
  ui::HideAdvertisement(c.uiCtx, 2);
}

void ReadCommandLine(Client& c, const app::CommandLine& cl) {
  app::AppState& a = c.app;
  const std::size_t n = cl.fields.size();
  if (n > 0) {
    a.LoginName = cl.fields[0];
    c.table.Hand[0].Account = a.LoginName;
  }
  if (n > 1) a.LoginKey = cl.fields[1];
  if (n > 2) a.ServerHost = cl.fields[2];
  if (n > 3) a.ServerPort = app::ParseIntField(cl.fields[3], 0, 65535);
  if (n > 4) {
    auto& loc = c.MainForm.Location;
    loc.SetCaption(cl.fields[4]);
    if (c.table.ScaleX < 1.0F) loc.SetFontSize(10);
    if (text::CharCount(cl.fields[4]) > 10) loc.SetFontSize(loc.FontSize() - 2);
  }
  if (n > 5) a.ProxyKind = app::ParseIntField(cl.fields[5], -32768, 32767);
  if (n > 6) a.ProxyHost = cl.fields[6];
  if (n > 7) a.ProxyPort = app::ParseIntField(cl.fields[7], 0, 65535);
  if (n > 8) a.ProxyUser = cl.fields[8];
  if (n > 9) a.ProxyPass = cl.fields[9];
  // Their lengths travel in one byte each.
  if (text::CharCount(a.ProxyUser) > 255) throw std::invalid_argument("proxy user name too long");
  if (text::CharCount(a.ProxyPass) > 255) throw std::invalid_argument("proxy password too long");
  if (n > 10) a.CustomCaption = text::LeadingNumber(cl.fields[10]) == 1;
  if (n > 11 && a.CustomCaption) a.LobbyTitle = cl.fields[11];
  if (n > 12) a.CaptionText = cl.fields[12];
  if (n > 13) a.Prop_swicth = app::ParseIntField(cl.fields[13], -32768, 32767);
  if (n > 14) a.PropParam = app::ParseIntField(cl.fields[14], -32768, 32767);
  c.table.WatchMode = cl.watchMode;
  if (cl.watchMode) c.table.Player[0].UserId = cl.watchedUserId;
}

void Connect(Client& c) {
  if (c.app.ProxyKind == 0) {
    session::OpenDirect(c);
  } else if (c.app.ProxyKind == 5) {
    c.net.TaskOn[net::kTaskLogin] = false;
    session::StartProxy(c, /*keepQueued=*/false);
  } else {
    // Nothing could ever connect: say so and hand the player back, rather than wait for ever.
    const std::string kind = std::to_string(c.app.ProxyKind);
    c.host.Log("error", "unknown connection kind " + kind);
    platform::ShowMessage(c.host, "连接方式错误（" + kind + "），请重新在大厅就座后进入游戏！",
                          "警告");
    RestoreLobbyAndEnd(c, "unknown connection kind " + kind);
  }
}

void LoadSteps(Client& c, const std::string& commandLine) {
  net::ResetRings(c.net);
  if (c.host.AnotherInstanceRunning()) {
    platform::ShowMessage(c.host, "Qintara游戏已经运行！", "警告");
    RestoreLobbyAndEnd(c, "another copy is already running");
  }
  ResetDefaults(c);
  SizeWindow(c);
  ui::BuildSoundList(c.soundPlayer);
  if (c.ui.SoundOn) ui::StartMusic(c.soundPlayer);
  ui::StopSeatChange(c.uiCtx);
  // The table starts afresh: no hand in progress, the next hand restarts the clocks.
  c.disp.RestartPending = true;
  c.score.HandInProgress = false;
  ui::LayoutControls(c.uiCtx);
  ui::LayoutLinkState(c.uiCtx);
  ShowLinkState(c);

  const app::CommandLine cl = app::SplitCommandLine(commandLine);
  if (cl.fields.empty() && !cl.watchMode) {
    platform::ShowMessage(c.host, "本游戏需从游戏大厅中启动！", "警告");
    platform::EndProgram(c.host, "started without the lobby's command line");
  }
  ReadCommandLine(c, cl);

  ui::SysmsgClear(c.MainForm, 0);
  ui::SysmsgAdd(c.MainForm, c.host, 0, "正在连接服务器...");
  c.TimerBong.SetEnabled(false);
  c.net.DirectLink = true;
  c.net.LoginFrame = BuildLoginFrame(c.app.LoginName, c.app.LoginKey);
  Connect(c);
  RestoreLobby(c);
  c.MainForm.SetVisible(true);
  if (c.app.CustomCaption) {
    c.MainForm.SetCaption(c.app.CaptionText);
    c.table.DefaultCountdown = 10;
    c.app.CustomCaption = false;
  } else {
    c.app.LobbyTitle = "VorelLodge";
  }
  ui::LayoutTable(c.uiCtx);
  for (int i = 0; i < c.MainForm.Operation.Count(); ++i)
    view::SetOperationLook(c.MainForm, i, view::OpLook::Disabled);
  // The laid-out table shows no wealth multiple and no finished game.
  c.props.WealthValue.fill(0);
  c.score.GameEnded = false;
  c.table.Hand[0].SeatBit = 0;
  c.host.Lobby().Listen(c.MainForm.Caption(), &c);
  c.app.Hooked = true;
}

}  // namespace

wire::Frame BuildLoginFrame(const std::string& loginName, const std::string& loginKey) {
  wire::Frame f{};
  f[wire::kOffCmd] = 18;
  f[14] = 1;
  auto put = [&f](const std::string& text, std::size_t at, const char* what) {
    auto bytes = text::EncodeSingleByte(text);
    if (!bytes)
      throw std::invalid_argument(std::string(what) +
                                  " has a character without a single-byte code");
    if (at + bytes->size() > f.size())
      throw std::invalid_argument(std::string(what) + " runs past the login frame");
    std::copy(bytes->begin(), bytes->end(), f.begin() + static_cast<std::ptrdiff_t>(at));
  };
  put(loginName, 16, "the account");
  put(loginKey, 32, "the login key");
  return f;
}

void Form_Load(Client& c, const std::string& commandLine) {
  try {
    LoadSteps(c, commandLine);
  } catch (const std::exception& e) {
    c.host.Log("error", std::string("start-up: ") + e.what());
    RestoreLobbyAndEnd(c, std::string("start-up failed: ") + e.what());
  }
}

}  // namespace session
