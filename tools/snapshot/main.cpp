// qintara-snapshot --state NAME --scale 1|small --out FILE.png: the main window in a named table
// state, painted as the client paints it.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <exception>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "table_states.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString state = "midhand", scale = "1", out;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args.at(i) == "--state")
      state = args.at(i + 1);
    else if (args.at(i) == "--scale")
      scale = args.at(i + 1);
    else if (args.at(i) == "--out")
      out = args.at(i + 1);
  }
  if (out.isEmpty() || (scale != "1" && scale != "small")) {
    std::fprintf(
        stderr,
        "usage: qintara-snapshot --state empty|wall|midhand|replay:FILE[:FRAMES] --scale 1|small "
        "--out FILE.png\n");
    return 2;
  }
  try {
    auto table = snapshot::BuildTable(state.toStdString(), scale == "small");
    const auto& form = table->client->MainForm;
    host::PictureStore pictures;
    QImage img(form.Geometry().width, form.Geometry().height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    host::FormWidget::PaintForm(p, form, pictures);
    p.end();
    if (!img.save(out)) {
      std::fprintf(stderr, "qintara-snapshot: cannot write %s\n", qPrintable(out));
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qintara-snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
