#include "host/picture_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

namespace host {

namespace {
// A window resized by dragging passes through many sizes: the pictures at sizes no longer used
// must go. A window of one size needs a fraction of the bound, even at twice the pixels.
constexpr std::size_t kMaxPrepared = 4096;

std::size_t PixelBytes(const QPixmap& pm) {
  return pm.isNull()
             ? 0
             : static_cast<std::size_t>(pm.width()) * static_cast<std::size_t>(pm.height()) *
                   static_cast<std::size_t>(std::max(1, pm.depth() / 8));
}

bool Opaque(const QImage& img) {
  const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(line[x]) != 255) return false;
    }
  }
  return true;
}
}  // namespace

PictureStore::PictureStore() {
  // Beside the program first, then the build tree's generated artwork.
  const QString beside = QCoreApplication::applicationDirPath() + "/res";
  folder_ = QFileInfo(beside).isDir() ? beside : QStringLiteral(QINTARA_ART_DIR);
  pluginFolder_ = QCoreApplication::applicationDirPath() + "/plugin/tools/res";
}

const QPixmap& PictureStore::Get(int id) {
  auto it = cache_.find(id);
  if (it != cache_.end()) return it->second;
  QImage img;
  constexpr int kPluginPictures = 5000;
  if (id >= kPluginPictures) {
    img.load(pluginFolder_ + "/" + QString::number(id) + ".png");
  } else if (id > 0) {
    img.load(folder_ + "/" + QString::number(id) + ".png");
  }
  // A picture whose every pixel is opaque is kept without its alpha channel: it is then copied
  // rather than blended, and it hides what lies beneath it.
  if (!img.isNull() && img.hasAlphaChannel() && Opaque(img)) {
    img.convertTo(QImage::Format_RGB32);
  }
  return cache_.emplace(id, QPixmap::fromImage(std::move(img))).first->second;
}

const QPixmap& PictureStore::Prepared(int id, QSize pixels, qreal dpr) {
  const SizedKey key{id, pixels.width(), pixels.height()};
  auto it = sized_.find(key);
  if (it != sized_.end()) {
    recent_.splice(recent_.begin(), recent_, it->second.use);
    QPixmap& pm = it->second.pixmap;
    if (pm.devicePixelRatio() != dpr) pm.setDevicePixelRatio(dpr);
    return pm;
  }
  const QPixmap& src = Get(id);
  QPixmap pm = src.isNull() || src.size() == pixels
                   ? src
                   : src.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  pm.setDevicePixelRatio(dpr);
  const std::size_t bytes = PixelBytes(pm);
  while (!recent_.empty() &&
         (sized_.size() >= kMaxPrepared || sizedBytes_ + bytes > kMaxPreparedBytes)) {
    const auto old = sized_.find(recent_.back());
    sizedBytes_ -= PixelBytes(old->second.pixmap);
    sized_.erase(old);
    recent_.pop_back();
  }
  sizedBytes_ += bytes;
  recent_.push_front(key);
  return sized_.emplace(key, Sized{std::move(pm), recent_.begin()}).first->second.pixmap;
}

bool PictureStore::TextEntry::Matches(const platform::Control& c, QSize l, QSize px) const {
  return logical == l && pixels == px && caption == c.Caption() && items == c.Items() &&
         listIndex == c.ListIndex() && fore == c.ForeColor() && back == c.BackColor() &&
         opaque == c.BackOpaque() && fontSize == c.FontSize() && bold == c.FontBold() &&
         align == c.Alignment();
}

const QPixmap* PictureStore::PreparedText(const platform::Control& c, QSize logical,
                                          QSize pixels) const {
  const auto it = text_.find(&c);
  if (it == text_.end() || !it->second.Matches(c, logical, pixels)) return nullptr;
  return &it->second.pixmap;
}

QPixmap& PictureStore::NewText(const platform::Control& c, QSize logical, QSize pixels, qreal dpr) {
  if (text_.size() >= kMaxPrepared && text_.find(&c) == text_.end()) text_.clear();
  TextEntry& e = text_[&c];
  e.caption = c.Caption();
  e.items = c.Items();
  e.listIndex = c.ListIndex();
  e.fore = c.ForeColor();
  e.back = c.BackColor();
  e.opaque = c.BackOpaque();
  e.fontSize = c.FontSize();
  e.bold = c.FontBold();
  e.align = c.Alignment();
  e.logical = logical;
  e.pixels = pixels;
  e.pixmap = QPixmap(pixels);
  e.pixmap.fill(Qt::transparent);
  e.pixmap.setDevicePixelRatio(dpr);
  return e.pixmap;
}

namespace {
std::size_t ItemBytes(const std::vector<std::string>& items) {
  std::size_t n = items.capacity() * sizeof(std::string);
  for (const auto& s : items) n += s.capacity() > 15 ? s.capacity() + 1 : 0;
  return n;
}
}  // namespace

PictureStore::Usage PictureStore::Measure() const {
  Usage u;
  for (const auto& [id, pm] : cache_) {
    ++u.decoded;
    u.decodedBytes += PixelBytes(pm);
  }
  u.prepared = sized_.size();
  u.preparedBytes = sizedBytes_;
  for (const auto& [control, e] : text_) {
    ++u.texts;
    u.textBytes += PixelBytes(e.pixmap) + ItemBytes(e.items) + e.caption.capacity();
  }
  return u;
}

}  // namespace host
