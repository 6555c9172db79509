// qintara-snapshot --state NAME --scale 1|small [--dialog settings|rules [--rules FILE]]
//                  --out FILE.png
// The main window in a named table state, painted as the client paints it, optionally with the
// sound settings dialog or the rules page opened over it (the rules text read from FILE).
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "table_states.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString state = "midhand", scale = "1", out, dialog, rules;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args.at(i) == "--state")
      state = args.at(i + 1);
    else if (args.at(i) == "--scale")
      scale = args.at(i + 1);
    else if (args.at(i) == "--out")
      out = args.at(i + 1);
    else if (args.at(i) == "--dialog")
      dialog = args.at(i + 1);
    else if (args.at(i) == "--rules")
      rules = args.at(i + 1);
  }
  if (out.isEmpty() || (scale != "1" && scale != "small")) {
    std::fprintf(stderr,
                 "usage: qintara-snapshot --state empty|wall|midhand --scale 1|small "
                 "--out FILE.png\n");
    return 2;
  }
  try {
    auto table = snapshot::BuildTable(state.toStdString(), scale == "small");
    Client& c = *table->client;
    const auto& form = c.MainForm;
    const platform::Form* over = nullptr;
    if (dialog == "settings") {
      ui::ToggleSettings(c);
      over = &c.VosSet;
    } else if (dialog == "rules") {
      std::ifstream in(rules.toStdString(), std::ios::binary);
      table->host.files.files[table->host.files.programFolder + "/rule.ini"] =
          std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
      ui::ToggleRules(c);
      over = &c.rule;
    }
    host::PictureStore pictures;
    QImage img(form.Geometry().width, form.Geometry().height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    host::FormWidget::PaintForm(p, form, pictures);
    if (over != nullptr) {
      const auto& g = over->Geometry();
      p.translate(g.left - form.Geometry().left, g.top - form.Geometry().top);
      p.setClipRect(0, 0, g.width, g.height);
      host::FormWidget::PaintForm(p, *over, pictures);
    }
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
