#pragma once
// Message boxes and the user's browser.
#include "winhost/win32.h"

#include <string>

#include "platform/host.h"

namespace winhost {

// A modal system message box; owner may be null.
platform::MsgBoxResult ShowMessageBox(HWND owner, const std::string& text, const std::string& title,
                                      platform::MsgBoxButtons buttons);
// The answer an unattended run gives: the default button.
platform::MsgBoxResult DefaultAnswer(platform::MsgBoxButtons buttons);
// Opens a web address (http or https only) in the user's browser; false when none opened it.
bool OpenInBrowser(const std::string& url);

}  // namespace winhost
