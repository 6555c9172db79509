// qintara-snapshot --state NAME --scale 1|small
//                  [--dialog settings|rules|ting|exit|leave|reconnect|chat|phrases|voices
//                   [--rules FILE] [--phrases FILE]] [--link up|retry|down] --out FILE.png
// The main window in a named table state, painted as the client paints it, optionally with a
// dialog opened over it (the rules text read from FILE; the chat history after a few lines both
// ways; the text or voice phrase list read from the phrase file) and the connection indicator
// as asked.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "chat/chat.h"
#include "host/form_widget.h"
#include "host/picture_store.h"
#include "net/net.h"
#include "play/ting_form.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "table_states.h"
#include "ui/ui.h"

namespace {

// A few lines both ways: the seats' lines, a whisper to the player, the player's own line, and a
// whisper being typed.
void ShowSomeChat(Client& c) {
  const std::array<const char*, 4> names{"玩家", "阿虎", "小美", "老李"};
  const std::array<int, 4> seats{4, 2, 1, 8};
  for (std::size_t p = 0; p < 4; ++p) {
    if (c.table.Player.at(p).NickName.empty()) c.table.Player.at(p).NickName = names.at(p);
    if (c.table.Hand.at(p).SeatBit == 0) c.table.Hand.at(p).SeatBit = seats.at(p);
  }
  c.net.Online = true;
  const std::string own = c.table.Player[0].NickName;
  const std::string left = c.table.Player[1].NickName;
  const std::string across = c.table.Player[2].NickName;
  chat::ShowChatLine(c.chatCtx, left + "说道: 大家好，很高兴见到各位！", 1, 0, 0, 0);
  chat::ShowChatLine(c.chatCtx, own + "说道: 今天手气真不错，这把一定要和牌", 0, 0, 0, 0);
  chat::ShowChatLine(c.chatCtx, across + "对" + own + "说: 快点吧，我等到花儿都谢了", 2, 1, 'a', 1);
  chat::ShowChatLine(c.chatCtx, left + "说道: 他妈的又是一张东风 fuck", 1, 0, 0, 0);
  chat::SetWhisper(c.chatCtx, 2);
  c.MainForm.Chat.SetText(c.MainForm.Chat.Text() + "别着急，慢慢来");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString state = "midhand", scale = "1", out, dialog, rules, link, phrases;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args.at(i) == "--state")
      state = args.at(i + 1);
    else if (args.at(i) == "--scale")
      scale = args.at(i + 1);
    else if (args.at(i) == "--out")
      out = args.at(i + 1);
    else if (args.at(i) == "--dialog")
      dialog = args.at(i + 1);
    else if (args.at(i) == "--link")
      link = args.at(i + 1);
    else if (args.at(i) == "--rules")
      rules = args.at(i + 1);
    else if (args.at(i) == "--phrases")
      phrases = args.at(i + 1);
  }
  if (out.isEmpty() || (scale != "1" && scale != "small")) {
    std::fprintf(stderr,
                 "usage: qintara-snapshot --state "
                 "empty|wall|midhand|drawsheet|winsheet|history|replay:FILE[:FRAMES] "
                 "--scale 1|small --out FILE.png\n");
    return 2;
  }
  try {
    auto table = snapshot::BuildTable(state.toStdString(), scale == "small");
    Client& c = *table->client;
    const auto& form = c.MainForm;
    if (link == "up") {
      c.net.Online = true;
    } else if (link == "retry") {
      table->host.Run([&] { session::StartReconnect(c); });
      c.net.ReconnectTries = 3;
    } else if (link == "down") {
      c.net.Online = false;
      c.net.TaskOn.fill(false);
    }
    const platform::Form* over = nullptr;
    if (dialog == "settings") {
      ui::ToggleSettings(c.uiCtx);
      over = &c.VosSet;
    } else if (dialog == "rules") {
      std::ifstream in(rules.toStdString(), std::ios::binary);
      table->host.files.files[table->host.files.programFolder + "/rule.ini"] =
          std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
      session::ToggleRules(c);
      over = &c.rule;
    } else if (dialog == "ting") {
      play::ShowTingForm(c);
      over = &c.frmTing;
    } else if (dialog == "exit") {
      table->host.Run([&] { session::ToggleExitDialog(c); });
      over = &c.frmExit;
    } else if (dialog == "leave") {
      table->host.Run([&] { session::ShowLeaveDialog(c, "玩家小美,退出了游戏！游戏结束！"); });
      over = &c.frmOtherExit;
    } else if (dialog == "reconnect") {
      table->host.Run([&] {
        session::StartReconnect(c);
        session::LinkState_Click(c);
      });
      over = &c.frmReconnect;
    } else if (dialog == "chat" || dialog == "phrases" || dialog == "voices") {
      ShowSomeChat(c);
      if (dialog == "chat") {
        chat::ToggleHistory(c.chatCtx);
        over = &c.Talk;
      } else {
        std::ifstream in(phrases.toStdString(), std::ios::binary);
        table->host.files.files[table->host.files.programFolder + "/chat.ini"] =
            std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
        chat::ShowPhraseList(c.chatCtx, dialog == "voices" ? 2 : 1);
        c.huifu.List1.SetListIndex(c.huifu.List1.Items().empty() ? -1 : 1);
        over = &c.huifu;
      }
    }
    table->host.Run([&] { session::ShowLinkState(c); });
    host::PictureStore pictures;
    QImage img(form.Geometry().width, form.Geometry().height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    host::FormWidget::PaintForm(p, form, pictures);
    // Result windows over the table, where the window system would put them.
    for (const platform::Form* sheet :
         std::initializer_list<const platform::Form*>{&c.Score, &c.Hero, &c.Information}) {
      if (!sheet->Visible()) continue;
      const auto& g = sheet->Geometry();
      p.save();
      p.translate(g.left - form.Geometry().left, g.top - form.Geometry().top);
      p.fillRect(QRect(3, 3, g.width, g.height), QColor(0, 0, 0, 90));  // its shadow
      p.setClipRect(QRect(0, 0, g.width, g.height));
      host::FormWidget::PaintForm(p, *sheet, pictures);
      p.setPen(QColor(0x7A, 0x2E, 0x12));
      p.drawRect(QRect(0, 0, g.width - 1, g.height - 1));
      p.restore();
    }
    if (over != nullptr) {
      const auto& g = over->Geometry();
      p.translate(g.left - form.Geometry().left, g.top - form.Geometry().top);
      p.setClipRect(0, 0, g.width, g.height);
      p.setOpacity(over->Opacity() / 255.0);
      host::FormWidget::PaintForm(p, *over, pictures);
    }
    p.end();
    if (!img.save(out)) {
      std::fprintf(stderr, "qintara-snapshot: cannot write %s\n", qPrintable(out));
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qintara-snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
