#include "platform/messages.h"

#include <exception>

#include "platform/host.h"

namespace platform {

void ShowMessage(Host& host, const std::string& text, const std::string& title) {
  host.Log("msgbox", title.empty() ? text : text + " | " + title);
  host.MessageBox(text, title, MsgBoxButtons::Ok);
}

void EndProgram(Host& host, const std::string& reason) {
  host.Log("end", reason);
  host.EndProgram(reason);
  std::terminate();  // a host's EndProgram never comes back
}

}  // namespace platform
