#pragma once
// <windows.h> without the macros that would rename the core's own functions (MessageBox,
// PostMessage, SendMessage, FindWindow become their ...W forms otherwise). Include this instead
// of <windows.h> in the Windows host and call the ...W functions by name.
#include <windows.h>

#undef MessageBox
#undef PostMessage
#undef SendMessage
#undef FindWindow
