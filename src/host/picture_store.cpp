#include "host/picture_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace host {

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

}  // namespace host
