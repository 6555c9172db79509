// Painting whole tables with the window's own painting code, beside the floor: the same number
// of pictures, already decoded and at their size, copied into an image of the table's size.
// At the end the floors and the ratios to them are printed, CPU and wall time, for the painting
// as it is (prepared) and for every picture scaled while drawn (direct).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "table_states.h"

namespace {

struct Scale {
  const char* name;
  bool small;
  qreal dpr;
};
constexpr Scale kScales[] = {{"full", false, 1.0}, {"small", true, 1.0}, {"hidpi2", false, 2.0}};
constexpr const char* kStates[] = {"empty", "wall", "midhand"};

QImage Target(const platform::Form& form, qreal dpr) {
  QImage img(static_cast<int>(form.Geometry().width * dpr),
             static_cast<int>(form.Geometry().height * dpr), QImage::Format_RGB32);
  img.setDevicePixelRatio(dpr);
  return img;
}

void Render(benchmark::State& state, const char* name, Scale scale, bool prepared) {
  auto table = snapshot::BuildTable(name, scale.small);
  const auto& form = table->client->MainForm;
  host::PictureStore pictures;
  QImage img = Target(form, scale.dpr);
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    host::FormWidget::PaintForm(p, form, pictures, true, prepared);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

// The floor: every visible picture of the table, decoded and scaled beforehand, copied at its
// place.
void Floor(benchmark::State& state, const char* name, Scale scale) {
  auto table = snapshot::BuildTable(name, scale.small);
  const auto& form = table->client->MainForm;
  host::PictureStore pictures;
  struct Piece {
    QPoint at;
    QPixmap pm;
  };
  std::vector<Piece> pieces;
  for (const platform::Control* c : form.Stacking()) {
    if (!c->Visible() || c->Kind() != platform::ControlKind::Image || c->Picture() <= 0) continue;
    const auto r = form.WindowBounds(*c);
    QPixmap pm = pictures.Get(c->Picture());
    if (pm.isNull() || r.width <= 0 || r.height <= 0) continue;
    pm = pm.scaled(static_cast<int>(r.width * scale.dpr), static_cast<int>(r.height * scale.dpr),
                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pm.setDevicePixelRatio(scale.dpr);
    pieces.push_back({QPoint(r.left, r.top), pm});
  }
  QImage img = Target(form, scale.dpr);
  for (auto _ : state) {
    QPainter p(&img);
    for (const auto& piece : pieces) p.drawPixmap(piece.at, piece.pm);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
  state.counters["pictures"] = static_cast<double>(pieces.size());
}

// A repaint after one discard: only the tile's old place in the hand and its new place in the
// middle of the table.
void RepaintOneDiscard(benchmark::State& state, Scale scale) {
  auto table = snapshot::BuildTable("midhand", scale.small);
  const auto& form = table->client->MainForm;
  host::PictureStore pictures;
  QImage img = Target(form, scale.dpr);
  const auto& tile = form.MJ_Image(0);
  const auto r = form.WindowBounds(tile);
  const QRegion dirty =
      QRegion(r.left, r.top, r.width, r.height) +
      QRegion(form.Geometry().width / 2 - 20, form.Geometry().height / 2 - 30, 40, 60);
  for (auto _ : state) {
    QPainter p(&img);
    p.setClipRegion(dirty);
    host::FormWidget::PaintForm(p, form, pictures);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

// Collects the CPU and wall times (the median of the repetitions when there are any) and prints
// each rendering's ratio to its floor, both ways: the CPU time is steadier on a busy machine,
// the wall time also counts what the painting waits for.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs) {
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (r.run_type == Run::RT_Iteration && medians_.contains(r.run_name.str())) continue;
      if (median || r.run_type == Run::RT_Iteration) {
        if (median) medians_.insert(r.run_name.str());
        times_[r.run_name.str()] = {r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-14s %21s %21s %21s %14s\n", "", "floor (ms)", "prepared (ms)",
                "prepared/floor", "direct/floor");
    std::printf("%-14s %10s %10s %10s %10s %10s %10s %14s\n", "state/scale", "cpu", "wall", "cpu",
                "wall", "cpu", "wall", "cpu");
    for (const char* s : kStates) {
      for (const auto& sc : kScales) {
        const std::string key = std::string(s) + "/" + sc.name;
        const Times floor = times_["Floor/" + key];
        const Times prepared = times_["Render/" + key];
        const Times direct = times_["RenderDirect/" + key];
        if (floor.cpu <= 0 || floor.wall <= 0) continue;
        std::printf("%-14s %10.3f %10.3f %10.3f %10.3f %10.2f %10.2f %14.2f\n", key.c_str(),
                    floor.cpu, floor.wall, prepared.cpu, prepared.wall, prepared.cpu / floor.cpu,
                    prepared.wall / floor.wall, direct.cpu / floor.cpu);
      }
    }
    std::printf("load average before: %s, after: %s\n", loadBefore_.c_str(), LoadAverage().c_str());
  }
  // The machine's load average over the last minute, as the system tells it ("?" when not).
  static std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    return in >> one ? one : std::string("?");
  }

 private:
  struct Times {
    double cpu = 0;
    double wall = 0;
  };
  std::map<std::string, Times> times_;
  std::set<std::string> medians_;
  std::string loadBefore_ = LoadAverage();
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (const char* s : kStates) {
    for (const auto& sc : kScales) {
      const std::string key = std::string(s) + "/" + sc.name;
      benchmark::RegisterBenchmark(("Floor/" + key).c_str(), Floor, s, sc)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("Render/" + key).c_str(), Render, s, sc, true)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("RenderDirect/" + key).c_str(), Render, s, sc, false)
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const auto& sc : kScales) {
    benchmark::RegisterBenchmark((std::string("RepaintOneDiscard/") + sc.name).c_str(),
                                 RepaintOneDiscard, sc)
        ->Unit(benchmark::kMicrosecond);
  }
  // The median of three unless told otherwise.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=3";
  if (std::none_of(args.begin(), args.end(), [](const char* a) {
        return std::string_view(a).starts_with("--benchmark_repetitions");
      })) {
    args.push_back(repetitions.data());
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  return 0;
}
