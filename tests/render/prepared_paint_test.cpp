// Pictures and text prepared once at their device size must look like the same table drawn
// with every picture scaled as it is painted: at both scales, scaled into a larger window and
// on a screen of pixel ratio 2.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "host/form_widget.h"
#include "host/picture_store.h"
#include "table_states.h"

namespace {

struct Case {
  const char* state;
  bool small;
  qreal windowScale;  // the design scaled into a larger or smaller window
  qreal dpr;
};

QImage Paint(const platform::Form& form, host::PictureStore& pictures, const Case& k,
             bool prepared) {
  const int w = static_cast<int>(form.Geometry().width * k.windowScale * k.dpr);
  const int h = static_cast<int>(form.Geometry().height * k.windowScale * k.dpr);
  QImage img(w, h, QImage::Format_RGB32);
  img.setDevicePixelRatio(k.dpr);
  img.fill(Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(k.windowScale, k.windowScale);
  host::FormWidget::PaintForm(p, form, pictures, true, prepared);
  p.end();
  return img;
}

TEST(PreparedPainting, LooksLikeTheTableScaledWhileDrawn) {
  const Case cases[] = {{"midhand", false, 1.0, 1.0},  {"midhand", true, 1.0, 1.0},
                        {"midhand", false, 1.27, 1.0}, {"midhand", false, 0.8, 1.0},
                        {"midhand", false, 1.0, 2.0},  {"wall", true, 1.0, 2.0},
                        {"empty", false, 1.0, 1.0}};
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.state << (k.small ? " small" : " full") << " x"
                                    << k.windowScale << " dpr " << k.dpr);
    auto table = snapshot::BuildTable(k.state, k.small);
    const auto& form = table->client->MainForm;
    host::PictureStore pictures;
    const QImage a = Paint(form, pictures, k, true);
    const QImage b = Paint(form, pictures, k, false);
    ASSERT_EQ(a.size(), b.size());
    // Edges may fall a pixel apart where a scaled picture's border is rounded, and filtering
    // differs slightly; anything more is a picture in the wrong place or at the wrong size.
    long long far = 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
      const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
      const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
      for (int x = 0; x < a.width(); ++x) {
        const int d =
            std::max({std::abs(qRed(pa[x]) - qRed(pb[x])), std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                      std::abs(qBlue(pa[x]) - qBlue(pb[x]))});
        sum += d;
        if (d > 64) ++far;
      }
    }
    const double pixels = static_cast<double>(a.width()) * a.height();
    // Shrinking, the prepared picture is averaged over its area where the painter samples
    // bilinearly; the prepared one is the smoother, and they differ a little more.
    EXPECT_LT(sum / pixels, k.windowScale * k.dpr < 1.0 ? 5.0 : 3.0) << "mean difference per pixel";
    EXPECT_LT(static_cast<double>(far) / pixels, 0.01) << "pixels far apart";
  }
}

// A label is drawn once per change: a new caption shows at once.
TEST(PreparedPainting, ATextChangeIsDrawnAgain) {
  auto table = snapshot::BuildTable("midhand", false);
  auto& form = table->client->MainForm;
  host::PictureStore pictures;
  const Case k{"midhand", false, 1.0, 1.0};
  form.Number.SetVisible(true);
  form.Number.SetCaption("8");
  const QImage eight = Paint(form, pictures, k, true);
  form.Number.SetCaption("3");
  const QImage three = Paint(form, pictures, k, true);
  EXPECT_NE(eight, three);
  EXPECT_EQ(three, Paint(form, pictures, k, true));
}

// A window resized by dragging passes through many sizes: the pictures at the sizes left behind
// go once the store is full, while a picture still in use stays prepared.
TEST(PreparedPainting, PicturesAtSizesLeftBehindGoOnceTheStoreIsFull) {
  auto table = snapshot::BuildTable("empty", false);
  host::PictureStore pictures;
  int id = 0;
  for (const platform::Control* c : table->client->MainForm.Stacking()) {
    if (c->Kind() == platform::ControlKind::Image && !pictures.Get(c->Picture()).isNull()) {
      id = c->Picture();
      break;
    }
  }
  ASSERT_GT(id, 0);
  const QSize kept(300, 200);
  const auto keptKey = pictures.Prepared(id, kept, 1.0).cacheKey();
  const std::size_t before = pictures.Measure().preparedBytes;
  for (int i = 0; i < 30; ++i) {
    pictures.Prepared(id, QSize(1400 + i, 1000), 1.0);  // 5.6 MB each
    EXPECT_EQ(pictures.Prepared(id, kept, 1.0).cacheKey(), keptKey) << "size " << i;
  }
  const auto u = pictures.Measure();
  EXPECT_LE(u.preparedBytes, host::PictureStore::kMaxPreparedBytes);
  EXPECT_GT(u.preparedBytes, host::PictureStore::kMaxPreparedBytes / 2);
  EXPECT_LT(u.prepared, 31U);
  EXPECT_GT(before, 0U);
}

}  // namespace
