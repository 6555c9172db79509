#pragma once
// Pictures by resource id, decoded once from res/<id>.png and kept. Numbers from 5000 on belong
// to the prop plug-in and come from its own res folder (plugin/tools/res beside the program).
#include <QPixmap>
#include <QString>
#include <unordered_map>

namespace host {

class PictureStore {
 public:
  PictureStore();
  // Null pixmap when the id has no picture.
  const QPixmap& Get(int id);
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  QString pluginFolder_;
  std::unordered_map<int, QPixmap> cache_;
};

}  // namespace host
