#include <cstdio>
#include <exception>

#include "app/app.h"
#include "app/client.h"

namespace app {

void SysmsgClear(Client& c, int list) {
  c.MainForm.Sysmsg(list).Clear();
}

void SysmsgAdd(Client& c, int list, const std::string& text) {
  c.MainForm.Sysmsg(list).AddItem(text);
  c.host.Log(list == 0 ? "sysmsg0" : "sysmsg1", text);
}

void ShowCash(Client& c, int pos, const std::string& caption) {
  auto& label = c.MainForm.Cash(pos);
  if (label.Caption() == caption) return;
  label.SetCaption(caption);
  c.host.Log("gold", std::to_string(pos) + " " + caption);
}

void ShowMessage(Client& c, const std::string& text, const std::string& title) {
  c.host.Log("msgbox", title.empty() ? text : text + " | " + title);
  c.host.MessageBox(text, title, platform::MsgBoxButtons::Ok);
}

void EndProgram(Client& c, const std::string& reason) {
  c.host.Log("end", reason);
  c.host.EndProgram(reason);
  std::terminate();  // a host's EndProgram never comes back
}

void LogFrame(Client& c, std::string_view kind, const net::Frame& frame) {
  std::string detail = std::to_string(frame[net::kOffCmd]);
  if (c.host.LogVerbose()) {
    detail += ' ';
    char hex[4];
    for (std::uint8_t b : frame) {
      std::snprintf(hex, sizeof hex, "%02x", b);
      detail += hex;
    }
  }
  c.host.Log(kind, detail);
}

}  // namespace app
