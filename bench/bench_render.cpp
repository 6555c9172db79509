// Painting the whole mid-hand table once, with the window's own painting code.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "table_states.h"

namespace {

void BM_RenderMidHandTable(benchmark::State& state) {
  auto table = snapshot::BuildTable("midhand", state.range(0) == 1);
  const auto& form = table->client->MainForm;
  host::PictureStore pictures;
  QImage img(form.Geometry().width, form.Geometry().height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    host::FormWidget::PaintForm(p, form, pictures);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_RenderMidHandTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
