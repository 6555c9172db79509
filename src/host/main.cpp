// The table client: started by the lobby with its command line.
#include <QApplication>
#include <QStringList>

#include "app/app.h"
#include "app/client.h"
#include "host/form_widget.h"
#include "host/picture_store.h"
#include "host/qt_host.h"
#include "ui/form_events.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qintara"));
  QApplication::setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));

  // The lobby passes its command line as one argument or several; either way it is the
  // arguments joined by single spaces.
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const std::string commandLine = args.join(QLatin1Char(' ')).toStdString();

  host::QtHost qtHost;
  host::PictureStore pictures;
  Client client(qtHost);
  ui::MainFormEvents events(client);
  host::FormWidget mainWindow(client.MainForm, pictures, /*frameless=*/true, &events);
  qtHost.Guard("start-up", [&] { app::Form_Load(client, commandLine); });
  const int rc = QApplication::exec();
  qtHost.Log("end", "the window was closed");
  return rc;
}
