#pragma once
// Pictures by resource id, decoded once from res\<id>.png with GDI+ and kept; and the same
// pictures prepared once at the device pixels they cover (high-quality bicubic), so that
// painting is a plain copy. Numbers from 5000 on belong to the prop plug-in and come from its
// own res folder (plugin\tools\res beside the program).
#include "winhost/win32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace Gdiplus {
class Bitmap;
}

namespace winhost {

// The folder the program runs from, without a trailing backslash.
std::wstring ProgramFolder();
// Writes a bitmap as a PNG file; false when it could not.
bool SavePng(Gdiplus::Bitmap& bitmap, const std::wstring& path);

class Pictures {
 public:
  // folder: the table's artwork; empty for res\ beside the program.
  explicit Pictures(std::wstring folder = {});
  ~Pictures();
  Pictures(const Pictures&) = delete;
  Pictures& operator=(const Pictures&) = delete;

  // Null when the id has no picture.
  Gdiplus::Bitmap* Get(int id);
  // The picture scaled to width x height (premultiplied, ready to copy); null without one.
  Gdiplus::Bitmap* Prepared(int id, int width, int height);
  const std::wstring& Folder() const { return folder_; }

 private:
  std::wstring folder_;
  std::wstring pluginFolder_;
  std::unordered_map<int, std::unique_ptr<Gdiplus::Bitmap>> cache_;
  std::unordered_map<std::uint64_t, std::unique_ptr<Gdiplus::Bitmap>> sized_;
};

}  // namespace winhost
