#pragma once
// qintara --replay FILE: a recorded hand played back in the real window by the client's own
// code, on a virtual clock and without a server. Space pauses and resumes, the right arrow
// steps to the next frame.
#include <QString>

namespace host {

class PictureStore;

int RunReplay(const QString& file, PictureStore& pictures);

}  // namespace host
