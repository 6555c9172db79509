#include "host/picture_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace host {

namespace {
// A window resized by dragging passes through many sizes; past this many prepared pictures the
// old sizes are dropped rather than kept for ever.
constexpr std::size_t kMaxPrepared = 4096;
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
  QPixmap pm;
  constexpr int kPluginPictures = 5000;
  if (id >= kPluginPictures) {
    pm.load(pluginFolder_ + "/" + QString::number(id) + ".png");
  } else if (id > 0) {
    pm.load(folder_ + "/" + QString::number(id) + ".png");
  }
  return cache_.emplace(id, std::move(pm)).first->second;
}

const QPixmap& PictureStore::Prepared(int id, QSize pixels, qreal dpr) {
  const SizedKey key{id, pixels.width(), pixels.height()};
  auto it = sized_.find(key);
  if (it != sized_.end()) {
    if (it->second.devicePixelRatio() != dpr) it->second.setDevicePixelRatio(dpr);
    return it->second;
  }
  if (sized_.size() >= kMaxPrepared) sized_.clear();
  const QPixmap& src = Get(id);
  QPixmap pm = src.isNull() || src.size() == pixels
                   ? src
                   : src.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  pm.setDevicePixelRatio(dpr);
  return sized_.emplace(key, std::move(pm)).first->second;
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

}  // namespace host
