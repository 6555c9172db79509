// The table client on Windows: started by the lobby with its command line.
#include "winhost/win32.h"

#include <shellapi.h>

#include <string>

#include "session/client.h"
#include "session/form_events.h"
#include "session/program.h"
#include "winhost/dpi.h"
#include "winhost/wide.h"
#include "winhost/win_host.h"

namespace {

// The lobby passes its command line as one argument or several; either way it is the
// arguments joined by single spaces.
std::string CommandLineArguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring joined;
  for (int i = 1; argv != nullptr && i < argc; ++i) {
    if (i > 1) joined += L' ';
    joined += argv[i];
  }
  if (argv != nullptr) LocalFree(argv);
  return winhost::Utf8(joined);
}

}  // namespace

int main() {
  winhost::EnableDpiAwareness();
  const std::string commandLine = CommandLineArguments();
  winhost::WinHost host;
#ifdef QINTARA_WIN_SERVICES
  host.SetServices(winhost::MakeServices(host));
#endif
  int rc = 0;
  {
    Client client(host);
    session::MainFormEvents events(client);
    host.CreateMainWindow(client.MainForm, events);
    host.Guard("start-up", [&] { session::Form_Load(client, commandLine); });
    rc = host.Run();
    host.Log("end", "the window was closed");
    host.ReleaseMainWindow();
  }
  return rc;
}
