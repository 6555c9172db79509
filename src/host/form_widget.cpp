#include "host/form_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/main_form.h"

namespace host {

namespace {

QColor Rgb(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

QFont ControlFont(const platform::Control& c) {
  QFont f(QStringLiteral("WenQuanYi Micro Hei"));
  f.setPointSize(std::max(1, c.FontSize()));
  f.setBold(c.FontBold());
  return f;
}

Qt::Alignment ToQt(platform::Align a) {
  switch (a) {
    case platform::Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case platform::Align::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// Where a control lies in the window: the main window's table controls sit on Pic1.
platform::Rect Bounds(const platform::Form& form, const platform::Control& c) {
  platform::Rect r = c.Bounds();
  const platform::Control* pic1 = form.Find("Pic1");
  if (pic1 != nullptr && !ui::MainFormT::IsWindowControl(c)) {
    r.left += pic1->Left();
    r.top += pic1->Top();
  }
  return r;
}

void PaintControl(QPainter& p, const platform::Form& form, const platform::Control& c,
                  PictureStore& pictures) {
  const platform::Rect b = Bounds(form, c);
  const QRect r(b.left, b.top, b.width, b.height);
  switch (c.Kind()) {
    case platform::ControlKind::Image: {
      const QPixmap& pm = pictures.Get(c.Picture());
      if (!pm.isNull()) p.drawPixmap(r, pm);
      break;
    }
    case platform::ControlKind::Label:
      if (c.BackOpaque()) p.fillRect(r, Rgb(c.BackColor()));
      p.setFont(ControlFont(c));
      p.setPen(Rgb(c.ForeColor()));
      p.drawText(r, static_cast<int>(ToQt(c.Alignment())) | Qt::TextWordWrap,
                 QString::fromStdString(c.Caption()));
      break;
    case platform::ControlKind::ListBox: {
      if (c.BackOpaque()) p.fillRect(r, Rgb(c.BackColor()));
      const QFont f = ControlFont(c);
      p.setFont(f);
      p.setPen(Rgb(c.ForeColor()));
      const int line = QFontMetrics(f).lineSpacing();
      const auto& items = c.Items();
      const int fit = std::max(1, r.height() / std::max(1, line));
      const int first = std::max(0, static_cast<int>(items.size()) - fit);
      int y = r.top();
      for (std::size_t i = static_cast<std::size_t>(first); i < items.size(); ++i, y += line) {
        p.drawText(QRect(r.left() + 2, y, r.width() - 4, line), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(items[i]));
      }
      break;
    }
    case platform::ControlKind::TextBox:
      p.fillRect(r, QColor(255, 255, 255, 230));
      p.setPen(QColor(90, 90, 90));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      p.setFont(ControlFont(c));
      p.setPen(Rgb(c.ForeColor()));
      p.drawText(r.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromStdString(c.Text()));
      break;
  }
}

}  // namespace

FormWidget::FormWidget(platform::Form& form, PictureStore& pictures, bool frameless)
    : form_(form), pictures_(pictures) {
  if (frameless) setWindowFlag(Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  form_.SetObserver(this);
  SyncWindow();
}

FormWidget::~FormWidget() {
  form_.SetObserver(nullptr);
}

double FormWidget::Scale() const {
  const auto& g = form_.Geometry();
  if (g.width <= 0 || g.height <= 0) return 1.0;
  return std::min(static_cast<double>(width()) / g.width, static_cast<double>(height()) / g.height);
}

QRect FormWidget::ToWidget(const platform::Rect& r) const {
  const double s = Scale();
  const int l = static_cast<int>(std::floor(r.left * s));
  const int t = static_cast<int>(std::floor(r.top * s));
  const int rr = static_cast<int>(std::ceil((r.left + r.width) * s));
  const int b = static_cast<int>(std::ceil((r.top + r.height) * s));
  return QRect(l, t, rr - l, b - t).adjusted(-1, -1, 1, 1);
}

void FormWidget::FormChanged(platform::Form& /*form*/, platform::Rect dirty) {
  if (dirty.Empty()) {
    SyncWindow();
    update();
  } else {
    update(ToWidget(dirty));
    // Table controls are placed on Pic1: the same rect shifted by its origin may be the one.
    if (const platform::Control* pic1 = form_.Find("Pic1");
        pic1 != nullptr && (pic1->Left() != 0 || pic1->Top() != 0)) {
      update(ToWidget(
          {dirty.left + pic1->Left(), dirty.top + pic1->Top(), dirty.width, dirty.height}));
    }
  }
}

void FormWidget::SyncWindow() {
  if (syncing_) return;
  syncing_ = true;
  const auto& g = form_.Geometry();
  setWindowTitle(QString::fromStdString(form_.Caption()));
  if (g.width > 0 && g.height > 0 && size() != QSize(g.width, g.height) && !isVisible()) {
    setGeometry(g.left, g.top, g.width, g.height);
  }
  setWindowOpacity(form_.Opacity() / 255.0);
  if (form_.Visible()) {
    if (form_.State() == platform::WindowState::Minimized) {
      if (!isMinimized()) showMinimized();
    } else if (!isVisible() || isMinimized()) {
      showNormal();
    }
  } else if (isVisible()) {
    hide();
  }
  syncing_ = false;
}

void FormWidget::PaintForm(QPainter& p, const platform::Form& form, PictureStore& pictures) {
  const auto& g = form.Geometry();
  p.fillRect(QRect(0, 0, g.width, g.height), Rgb(form.BackColor()));
  const QPixmap& bg = pictures.Get(form.Picture());
  if (!bg.isNull()) p.drawPixmap(QRect(0, 0, g.width, g.height), bg);
  for (const platform::Control* c : form.Stacking()) {
    if (c->Visible()) PaintControl(p, form, *c, pictures);
  }
}

void FormWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), Qt::black);
  p.setClipRegion(event->region());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double s = Scale();
  p.scale(s, s);
  PaintForm(p, form_, pictures_);
}

}  // namespace host
