// The table client: started by the lobby with its command line.
#include <QApplication>
#include <QStringList>
#include <memory>

#include "host/form_widget.h"
#include "host/lobby_channel.h"
#include "host/qt_host.h"
#include "host/replay_window.h"
#include "session/client.h"
#include "session/form_events.h"
#include "session/program.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qintara"));
  QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));

  // The lobby passes its command line as one argument or several; either way it is the
  // arguments joined by single spaces.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::string commandLine = args.join(QLatin1Char(' ')).toStdString();

  if (args.size() == 2 && args.at(0) == QStringLiteral("--replay")) {
    host::PictureStore pictures;
    return host::RunReplay(args.at(1), pictures);
  }
  host::QtHost qtHost;
  Client client(qtHost);
  session::MainFormEvents events(client);
  host::FormWidget mainWindow(client.MainForm, qtHost.Pictures(), /*frameless=*/true, &events);
  auto lobby = std::make_unique<host::LobbyChannel>(
      [&qtHost](std::string_view kind, std::string_view detail) { qtHost.Log(kind, detail); });
  // What the window itself does with the messages the client passes on: the lobby may restore
  // or minimise it like any other window.
  lobby->SetDefaultProc([&client](std::uint32_t msg, std::int32_t wParam, std::int32_t) {
    if (msg == platform::kWmSysCommand && wParam == platform::kScRestore) {
      client.MainForm.SetState(platform::WindowState::Normal);
    } else if (msg == platform::kWmSysCommand && wParam == platform::kScMinimize) {
      client.MainForm.SetState(platform::WindowState::Minimized);
    }
    return 0;
  });
  qtHost.SetLobby(std::move(lobby));
  qtHost.Guard("start-up", [&] { session::Form_Load(client, commandLine); });
  const int rc = QApplication::exec();
  qtHost.Log("end", "the window was closed");
  return rc;
}
