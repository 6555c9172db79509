// qintara-artgen --out DIR: draws every picture of the table as DIR/<id>.png.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <set>

#include "art.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QString out;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); ++i)
    if (args.at(i) == QLatin1String("--out")) out = args.at(i + 1);
  if (out.isEmpty()) {
    std::fprintf(stderr, "usage: qintara-artgen --out DIR\n");
    return 2;
  }
  if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei"))) {
    std::fprintf(stderr,
                 "qintara-artgen: the font WenQuanYi Micro Hei is missing "
                 "(install fonts-wqy-microhei); Chinese would draw as boxes\n");
    return 1;
  }
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "qintara-artgen: cannot create %s\n", qPrintable(out));
    return 1;
  }
  std::set<int> written;
  bool ok = true;
  const art::Emit sink = [&](int id, const QImage& image) {
    if (!written.insert(id).second) {
      std::fprintf(stderr, "qintara-artgen: picture %d drawn twice\n", id);
      ok = false;
    }
    const QString path = out + "/" + QString::number(id) + ".png";
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "qintara-artgen: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  };
  art::Tiles(sink);
  art::Widgets(sink);
  art::Chrome(sink);
  art::Dialogs(sink);
  std::printf("qintara-artgen: %zu pictures in %s\n", written.size(), qPrintable(out));
  return ok ? 0 : 1;
}
