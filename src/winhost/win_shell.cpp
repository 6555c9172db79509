#include "winhost/win_shell.h"

#include "winhost/wide.h"

#include <shellapi.h>

namespace winhost {

platform::MsgBoxResult DefaultAnswer(platform::MsgBoxButtons buttons) {
  return buttons == platform::MsgBoxButtons::YesNo ? platform::MsgBoxResult::Yes
                                                   : platform::MsgBoxResult::Ok;
}

platform::MsgBoxResult ShowMessageBox(HWND owner, const std::string& text, const std::string& title,
                                      platform::MsgBoxButtons buttons) {
  UINT style = MB_SETFOREGROUND;
  switch (buttons) {
    case platform::MsgBoxButtons::Ok:
      style |= MB_OK;
      break;
    case platform::MsgBoxButtons::OkCancel:
      style |= MB_OKCANCEL;
      break;
    case platform::MsgBoxButtons::YesNo:
      style |= MB_YESNO;
      break;
  }
  switch (MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style)) {
    case IDCANCEL:
      return platform::MsgBoxResult::Cancel;
    case IDYES:
      return platform::MsgBoxResult::Yes;
    case IDNO:
      return platform::MsgBoxResult::No;
    default:
      return platform::MsgBoxResult::Ok;
  }
}

bool OpenInBrowser(const std::string& url) {
  // Only web addresses: a text from the server must never start a program or open a file.
  std::string scheme = url.substr(0, url.find(':'));
  for (char& ch : scheme) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
  if ((scheme != "http" && scheme != "https") || url.find("://") != scheme.size()) return false;
  const auto rc = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return rc > 32;
}

}  // namespace winhost
