#pragma once
// Pictures by resource id, decoded once from res/<id>.png and kept; and the same pictures, and
// the text controls, prepared once at the device pixels they cover so that painting is a plain
// copy. Numbers from 5000 on belong to the prop plug-in and come from its own res folder
// (plugin/tools/res beside the program).
#include <QPixmap>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/controls.h"

namespace host {

class PictureStore {
 public:
  PictureStore();
  // Null pixmap when the id has no picture.
  const QPixmap& Get(int id);
  // The picture smoothly scaled to pixels (device pixels), with the device pixel ratio dpr;
  // null when the id has no picture. The reference holds until the next call.
  const QPixmap& Prepared(int id, QSize pixels, qreal dpr);
  // A label or list box as it was last drawn at this size, or null when its text, colours,
  // font, alignment or size changed since.
  const QPixmap* PreparedText(const platform::Control& c, QSize logical, QSize pixels) const;
  // Starts the picture of a text control afresh: transparent, pixels large, with the device
  // pixel ratio dpr. The caller draws into it scaled from logical size.
  QPixmap& NewText(const platform::Control& c, QSize logical, QSize pixels, qreal dpr);
  const QString& Folder() const { return folder_; }

  // How much the store holds: pictures as decoded, prepared at a size, and text controls.
  struct Usage {
    std::size_t decoded = 0;
    std::size_t decodedBytes = 0;
    std::size_t prepared = 0;
    std::size_t preparedBytes = 0;
    std::size_t texts = 0;
    std::size_t textBytes = 0;
  };
  Usage Measure() const;
  // The prepared pictures hold at most this many bytes: the ones used longest ago go first.
  static constexpr std::size_t kMaxPreparedBytes = std::size_t{64} << 20;

 private:
  struct SizedKey {
    int id;
    int w;
    int h;
    bool operator==(const SizedKey&) const = default;
  };
  struct SizedHash {
    std::size_t operator()(const SizedKey& k) const {
      return std::hash<std::uint64_t>()((static_cast<std::uint64_t>(k.id) << 32) ^
                                        (static_cast<std::uint64_t>(k.w) << 16) ^
                                        static_cast<std::uint64_t>(k.h));
    }
  };
  // What a text control looked like when it was drawn.
  struct TextEntry {
    std::string caption;
    std::vector<std::string> items;
    int listIndex = -1;
    std::uint32_t fore = 0;
    std::uint32_t back = 0;
    bool opaque = false;
    int fontSize = 0;
    bool bold = false;
    platform::Align align = platform::Align::Left;
    QSize logical;
    QSize pixels;
    QPixmap pixmap;
    bool Matches(const platform::Control& c, QSize l, QSize px) const;
  };

  QString folder_;
  QString pluginFolder_;
  std::unordered_map<int, QPixmap> cache_;
  struct Sized {
    QPixmap pixmap;
    std::list<SizedKey>::iterator use;
  };
  std::unordered_map<SizedKey, Sized, SizedHash> sized_;
  std::list<SizedKey> recent_;  // the prepared pictures, the one used last first
  std::size_t sizedBytes_ = 0;
  std::unordered_map<const platform::Control*, TextEntry> text_;
};

}  // namespace host
