#include "winhost/pictures.h"

#include <gdiplus.h>

#include <string>
#include <vector>

namespace winhost {

namespace {
// A window resized by dragging passes through many sizes; past this many prepared pictures the
// old sizes are dropped rather than kept for ever.
constexpr std::size_t kMaxPrepared = 4096;
constexpr int kPluginPictures = 5000;

std::uint64_t SizedKey(int id, int w, int h) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(id)) << 32) ^
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(w) & 0xFFFF) << 16) ^
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(h) & 0xFFFF));
}
}  // namespace

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

bool SavePng(Gdiplus::Bitmap& bitmap, const std::wstring& path) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<std::uint8_t> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      return bitmap.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    }
  }
  return false;
}

Pictures::Pictures(std::wstring folder) : folder_(std::move(folder)) {
  const std::wstring beside = ProgramFolder();
  if (folder_.empty()) folder_ = beside + L"\\res";
  pluginFolder_ = beside + L"\\plugin\\tools\\res";
}

Pictures::~Pictures() = default;

Gdiplus::Bitmap* Pictures::Get(int id) {
  const auto it = cache_.find(id);
  if (it != cache_.end()) return it->second.get();
  std::unique_ptr<Gdiplus::Bitmap> bmp;
  if (id > 0) {
    const std::wstring path =
        (id >= kPluginPictures ? pluginFolder_ : folder_) + L"\\" + std::to_wstring(id) + L".png";
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
      bmp = std::make_unique<Gdiplus::Bitmap>(path.c_str());
      if (bmp->GetLastStatus() != Gdiplus::Ok || bmp->GetWidth() == 0) bmp.reset();
    }
  }
  return cache_.emplace(id, std::move(bmp)).first->second.get();
}

Gdiplus::Bitmap* Pictures::Prepared(int id, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const std::uint64_t key = SizedKey(id, width, height);
  const auto it = sized_.find(key);
  if (it != sized_.end()) return it->second.get();
  Gdiplus::Bitmap* src = Get(id);
  if (src == nullptr) return nullptr;
  if (sized_.size() >= kMaxPrepared) sized_.clear();
  auto out = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics g(out.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    const int sw = static_cast<int>(src->GetWidth());
    const int sh = static_cast<int>(src->GetHeight());
    const bool same = sw == width && sh == height;
    g.SetInterpolationMode(same ? Gdiplus::InterpolationModeNearestNeighbor
                                : Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // Edge pixels repeat outwards, so the bicubic filter does not darken the border.
    Gdiplus::ImageAttributes wrap;
    wrap.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(src, Gdiplus::Rect(0, 0, width, height), 0, 0, sw, sh, Gdiplus::UnitPixel, &wrap);
  }
  return sized_.emplace(key, std::move(out)).first->second.get();
}

}  // namespace winhost
