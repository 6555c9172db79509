#include "host/form_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

QRect ToQRect(const platform::Rect& r) {
  return QRect(r.left, r.top, r.width, r.height);
}

platform::Rect ToRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

void PaintControl(QPainter& p, const platform::Control& c, const QRect& r, PictureStore& pictures) {
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
      const int line = c.RowHeight() > 0 ? c.RowHeight() : QFontMetrics(f).lineSpacing();
      const auto& items = c.Items();
      platform::ForEachShownRow(c, ToRect(r), line, [&](int i, const platform::Rect& row) {
        const QRect q = ToQRect(row);
        if (i == c.ListIndex()) p.fillRect(q, QColor(255, 215, 94, 150));
        p.drawText(q.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(items[static_cast<std::size_t>(i)]));
      });
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

// The table's own hand pointer: a white glove pointing up, its fingertip the hot spot.
QCursor HandCursor() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  hand.addRoundedRect(QRectF(6, 0.5, 4.5, 15), 2.2, 2.2);    // index finger
  hand.addRoundedRect(QRectF(10.5, 7, 4, 9), 2, 2);          // middle
  hand.addRoundedRect(QRectF(14.5, 8, 4, 8), 2, 2);          // ring
  hand.addRoundedRect(QRectF(18.5, 9.5, 3.5, 7), 1.7, 1.7);  // little
  hand.addRoundedRect(QRectF(6, 12, 16, 11), 3, 3);          // palm
  QPainterPath thumb;
  thumb.addPolygon(QPolygonF(
      {QPointF(6.5, 14), QPointF(2.5, 10.5), QPointF(0.8, 12), QPointF(5, 19), QPointF(7, 19)}));
  hand = hand.united(thumb).simplified();
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::white);
  p.drawPath(hand);
  p.end();
  return QCursor(pm, 8, 1);
}

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return platform::kLeftButton;
    case Qt::RightButton:
      return platform::kRightButton;
    case Qt::MiddleButton:
      return platform::kMiddleButton;
    default:
      return 0;
  }
}

int ButtonsOf(Qt::MouseButtons b) {
  int out = 0;
  if (b & Qt::LeftButton) out |= platform::kLeftButton;
  if (b & Qt::RightButton) out |= platform::kRightButton;
  if (b & Qt::MiddleButton) out |= platform::kMiddleButton;
  return out;
}

int ShiftOf(Qt::KeyboardModifiers m) {
  int out = 0;
  if (m & Qt::ShiftModifier) out |= platform::kShiftMask;
  if (m & Qt::ControlModifier) out |= platform::kCtrlMask;
  if (m & Qt::AltModifier) out |= platform::kAltMask;
  return out;
}

bool Within(const QFocusEvent* f) {
  // Focus lost to another application or a popup is not the text box's own loss.
  return f->reason() != Qt::ActiveWindowFocusReason && f->reason() != Qt::PopupFocusReason;
}

}  // namespace

FormWidget::FormWidget(platform::Form& form, PictureStore& pictures, bool frameless,
                       platform::FormEvents* events, Role role)
    : form_(form), pictures_(pictures), events_(events), role_(role), hand_(HandCursor()) {
  if (frameless) setWindowFlag(Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // The table's tips show whether or not the window has the keyboard.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setFocusPolicy(Qt::ClickFocus);
  logPaints_ = std::getenv("QINTARA_PAINT_LOG") != nullptr;
  if (events_ != nullptr) input_ = std::make_unique<platform::FormInput>(form_, *events_);
  for (platform::Control* c : form_.Stacking()) {
    if (c->Kind() != platform::ControlKind::TextBox) continue;
    auto owned = std::make_unique<QLineEdit>(this);
    QLineEdit* edit = owned.get();
    edit->setFrame(false);
    edit->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgba(255,255,255,230); border: 1px solid rgb(90,90,90); "
        "padding-left: 2px; }"));
    edit->installEventFilter(this);
    QObject::connect(edit, &QLineEdit::textEdited, [this, c, edit](const QString& text) {
      c->SetText(text.toStdString());
      c->ReportSelStart(edit->cursorPosition());
      if (events_ != nullptr) events_->OnChange(*c);
    });
    QObject::connect(edit, &QLineEdit::cursorPositionChanged,
                     [c](int /*old*/, int now) { c->ReportSelStart(now); });
    editors_.push_back({c, std::move(owned), c->CaretMoves()});
  }
  if (frameless && role_ == Role::Main) {
    grip_ = std::make_unique<QSizeGrip>(this);
    grip_->setFixedSize(12, 12);
    grip_->setCursor(Qt::SizeFDiagCursor);
  }
  form_.SetObserver(this);
  SyncWindow();
  UpdateTransform();
}

FormWidget::~FormWidget() {
  form_.SetObserver(nullptr);
}

QLineEdit* FormWidget::EditorOf(const platform::Control& c) const {
  for (const Editor& ed : editors_)
    if (ed.control == &c) return ed.edit.get();
  return nullptr;
}

// ---- Geometry ----

void FormWidget::UpdateTransform() {
  const auto& g = form_.Geometry();
  view_ = platform::FitDesign(g.width, g.height, width(), height());
  for (Editor& ed : editors_) SyncEditor(ed);
  if (grip_ != nullptr) grip_->move(width() - grip_->width(), height() - grip_->height());
}

QTransform FormWidget::DesignToWidget() const {
  return QTransform(view_.scale, 0, 0, view_.scale, view_.offsetX, view_.offsetY);
}

QPoint FormWidget::WidgetToDesign(QPointF p) const {
  return QPoint(view_.DesignX(p.x()), view_.DesignY(p.y()));
}

QRect FormWidget::ToWidget(const platform::Rect& r) const {
  return ToQRect(view_.Dirty(r));
}

// ---- The model ----

void FormWidget::FormChanged(platform::Form& /*form*/, platform::Rect dirty) {
  if (dirty.Empty()) {
    SyncWindow();
    return;
  }
  update(ToWidget(dirty));
  for (Editor& ed : editors_) {
    const platform::Rect r = form_.WindowBounds(*ed.control);
    const bool overlaps = dirty.left < r.left + r.width && r.left < dirty.left + dirty.width &&
                          dirty.top < r.top + r.height && r.top < dirty.top + dirty.height;
    if (overlaps) SyncEditor(ed);
  }
}

void FormWidget::SyncEditor(Editor& ed) {
  const platform::Control& c = *ed.control;
  QLineEdit& e = *ed.edit;
  const QString text = QString::fromStdString(c.Text());
  const int maxLength = c.MaxLength() > 0 ? c.MaxLength() : 32767;
  if (e.maxLength() != maxLength) e.setMaxLength(maxLength);
  if (e.text() != text) e.setText(text);
  if (ed.caretMoves != c.CaretMoves()) {
    ed.caretMoves = c.CaretMoves();
    e.setCursorPosition(c.SelStart());
  }
  const QRect r = DesignToWidget().mapRect(QRectF(ToQRect(form_.WindowBounds(c)))).toRect();
  if (e.geometry() != r) e.setGeometry(r);
  QFont f = ControlFont(c);
  f.setPointSizeF(std::max(1.0, c.FontSize() * view_.scale));
  if (e.font() != f) e.setFont(f);
  const QColor fore = Rgb(c.ForeColor());
  if (e.palette().color(QPalette::Text) != fore) {
    QPalette pal = e.palette();
    pal.setColor(QPalette::Text, fore);
    e.setPalette(pal);
  }
  e.setEnabled(c.Enabled());
  const bool show = c.Visible() && form_.Visible();
  if (e.isVisibleTo(this) != show) e.setVisible(show);
}

void FormWidget::SyncFocus() {
  platform::Control* want = form_.Focused();
  for (const Editor& ed : editors_) {
    if (ed.control == want && !ed.edit->hasFocus() && ed.edit->isVisibleTo(this)) {
      ed.edit->setFocus(Qt::OtherFocusReason);
    } else if (ed.control != want && ed.edit->hasFocus()) {
      setFocus(Qt::OtherFocusReason);
    }
  }
}

void FormWidget::SyncWindow() {
  if (syncing_) return;
  syncing_ = true;
  const auto& g = form_.Geometry();
  const QString title = QString::fromStdString(form_.Caption());
  if (windowTitle() != title) setWindowTitle(title);
  if (role_ == Role::Secondary) SyncSecondary();
  if (role_ == Role::Main && g.width > 0 && g.height > 0 && !isVisible() &&
      (size() != QSize(g.width, g.height) || pos() != QPoint(g.left, g.top))) {
    setGeometry(g.left, g.top, g.width, g.height);
    setMinimumSize(std::max(1, g.width / 4), std::max(1, g.height / 4));
    UpdateTransform();
    update();
  }
  const double opacity = form_.Opacity() / 255.0;
  if (!qFuzzyCompare(windowOpacity(), opacity)) setWindowOpacity(opacity);
  if (form_.Visible()) {
    if (form_.State() == platform::WindowState::Minimized) {
      if (!isMinimized()) showMinimized();
    } else if (!isVisible() || isMinimized()) {
      showNormal();
    }
    // Topmost and back at once is how the core brings its window to the front.
    if (form_.Topmost()) {
      raise();
      activateWindow();
    }
  } else if (isVisible()) {
    hide();
  }
  for (Editor& ed : editors_) SyncEditor(ed);
  SyncFocus();
  syncing_ = false;
}

void FormWidget::SyncSecondary() {
  const auto& g = form_.Geometry();
  if (g.width > 0 && g.height > 0) {
    if (size() != QSize(g.width, g.height)) {
      setFixedSize(g.width, g.height);
      UpdateTransform();
      update();
    }
    if (pos() != QPoint(g.left, g.top)) move(g.left, g.top);
  }
  // Window flags and modality take effect when the window is shown.
  if (!isVisible()) {
    const Qt::WindowModality modality = form_.Modal() ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) setWindowModality(modality);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != form_.Topmost()) {
      setWindowFlag(Qt::WindowStaysOnTopHint, form_.Topmost());
    }
  }
}

// ---- Painting ----

namespace {

// Where a design rectangle lands under a scaling painter, edges rounded one by one so that
// neighbouring tiles stay seamless.
QRect DeviceRect(const QTransform& t, const QRect& r) {
  return ToQRect(platform::SnapRect(ToRect(r), t.m11(), t.m22(), t.dx(), t.dy()));
}

QSize Pixels(const QRect& d, qreal dpr) {
  return QSize(static_cast<int>(std::lround(d.width() * dpr)),
               static_cast<int>(std::lround(d.height() * dpr)));
}

void DrawPicture(QPainter& p, PictureStore& pictures, int id, const QRect& d, qreal dpr) {
  if (id <= 0 || d.isEmpty()) return;
  const QPixmap& pm = pictures.Prepared(id, Pixels(d, dpr), dpr);
  if (!pm.isNull()) p.drawPixmap(d.topLeft(), pm);
}

// A picture without transparency, where it is drawn.
bool Opaque(const platform::Form& form, const platform::Control& c, const QTransform& t,
            PictureStore& pictures, qreal dpr) {
  if (c.Kind() != platform::ControlKind::Image || c.Picture() <= 0) return false;
  const QRect d = DeviceRect(t, ToQRect(form.WindowBounds(c)));
  if (d.isEmpty()) return false;
  const QPixmap& pm = pictures.Prepared(c.Picture(), Pixels(d, dpr), dpr);
  return !pm.isNull() && !pm.hasAlphaChannel();
}

// A label or list box, laid out and drawn once per change, then copied.
void DrawText(QPainter& p, PictureStore& pictures, const platform::Control& c, const QRect& r,
              const QRect& d, qreal dpr) {
  if (d.isEmpty()) return;
  const QSize pixels = Pixels(d, dpr);
  const QPixmap* pm = pictures.PreparedText(c, r.size(), pixels);
  if (pm == nullptr) {
    QPixmap& fresh = pictures.NewText(c, r.size(), pixels, dpr);
    QPainter tp(&fresh);
    tp.setRenderHint(QPainter::TextAntialiasing);
    tp.scale(static_cast<qreal>(d.width()) / std::max(1, r.width()),
             static_cast<qreal>(d.height()) / std::max(1, r.height()));
    PaintControl(tp, c, QRect(QPoint(0, 0), r.size()), pictures);
    tp.end();
    pm = &fresh;
  }
  p.drawPixmap(d.topLeft(), *pm);
}

}  // namespace

void FormWidget::PaintForm(QPainter& p, const platform::Form& form, PictureStore& pictures,
                           bool paintTextBoxes, bool prepared) {
  const auto& g = form.Geometry();
  const QRect whole(0, 0, g.width, g.height);
  // Controls outside the area being repainted cost nothing.
  const QRect clip = p.hasClipping() ? p.clipBoundingRect().toAlignedRect() : whole;
  const platform::Rect painted = ToRect(clip);
  const QRect area = whole.intersected(clip);
  const QTransform t = p.transform();
  if (!prepared || t.type() > QTransform::TxScale) {
    // Every picture scaled while it is drawn (and a rotated or sheared painter, where nothing
    // prepared fits).
    p.fillRect(area, Rgb(form.BackColor()));
    const QPixmap& bg = pictures.Get(form.Picture());
    if (!bg.isNull()) p.drawPixmap(whole, bg);
    platform::ForEachPainted(form, painted,
                             [&](const platform::Control& c, const platform::Rect& r) {
                               if (!paintTextBoxes && c.Kind() == platform::ControlKind::TextBox)
                                 return;
                               PaintControl(p, c, ToQRect(r), pictures);
                             });
    return;
  }
  // Everything is prepared at the device pixels it covers and copied one to one. Such a copy
  // needs no filtering, and without it the painter takes its plain copying path instead of
  // splitting every large picture over worker threads and waiting for them.
  const qreal dpr = p.device()->devicePixelRatioF();
  const bool smooth = p.testRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // An opaque picture over the whole area hides the background and everything beneath it.
  const auto first = platform::FirstShown(form, ToRect(area), [&](const platform::Control& c) {
    return Opaque(form, c, t, pictures, dpr);
  });
  if (!first) p.fillRect(area, Rgb(form.BackColor()));
  p.resetTransform();
  if (!first) DrawPicture(p, pictures, form.Picture(), DeviceRect(t, whole), dpr);
  platform::ForEachPainted(
      form, painted,
      [&](const platform::Control& c, const platform::Rect& bounds) {
        const QRect r = ToQRect(bounds);
        switch (c.Kind()) {
          case platform::ControlKind::Image:
            DrawPicture(p, pictures, c.Picture(), DeviceRect(t, r), dpr);
            break;
          case platform::ControlKind::Label:
          case platform::ControlKind::ListBox:
            DrawText(p, pictures, c, r, DeviceRect(t, r), dpr);
            break;
          case platform::ControlKind::TextBox:
            if (!paintTextBoxes) break;
            p.setTransform(t);
            PaintControl(p, c, r, pictures);
            p.resetTransform();
            break;
        }
      },
      first.value_or(0));
  p.setTransform(t);
  p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void FormWidget::paintEvent(QPaintEvent* e) {
  ++paints_;
  lastPaint_ = e->region();
  if (logPaints_) {
    const QRect r = e->rect();
    std::fprintf(stderr, "paint %llu %d,%d %dx%d\n", static_cast<unsigned long long>(paints_),
                 r.x(), r.y(), r.width(), r.height());
  }
  QPainter p(this);
  const auto& g = form_.Geometry();
  const QRect design = ToQRect(view_.Covered(g.width, g.height));
  // The bars beside a table of another aspect.
  const QRegion bars = e->region().subtracted(QRegion(design));
  for (const QRect& r : bars) p.fillRect(r, Qt::black);
  p.setClipRegion(e->region().intersected(QRegion(design)));
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setTransform(DesignToWidget());
  PaintForm(p, form_, pictures_, editors_.empty());
}

void FormWidget::resizeEvent(QResizeEvent* /*e*/) {
  UpdateTransform();
  update();
  if (role_ != Role::Main) return;
  // The windows open over the table follow it to its new size.
  form_.ReportShownSize(width(), height());
  if (events_ != nullptr && isVisible() && !isMinimized()) events_->OnMoved();
}

// ---- The window ----

void FormWidget::moveEvent(QMoveEvent* /*e*/) {
  if (syncing_ || isMinimized() || !isVisible()) return;
  const auto& g = form_.Geometry();
  const QPoint at = pos();
  if (at == QPoint(g.left, g.top)) return;
  syncing_ = true;
  form_.SetGeometry({at.x(), at.y(), g.width, g.height});
  syncing_ = false;
}

void FormWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() != QEvent::WindowStateChange) return;
  const bool minimized = isMinimized();
  if (minimized == wasMinimized_) return;
  wasMinimized_ = minimized;
  syncing_ = true;
  form_.SetState(minimized ? platform::WindowState::Minimized : platform::WindowState::Normal);
  syncing_ = false;
  if (events_ != nullptr) events_->OnResize();
}

void FormWidget::closeEvent(QCloseEvent* e) {
  if (events_ != nullptr) events_->OnClose();
  // A secondary window closes when its form is hidden; the form's procedure decides.
  if (role_ == Role::Secondary && form_.Visible()) {
    e->ignore();
    return;
  }
  e->accept();
}

bool FormWidget::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    const QPoint d = WidgetToDesign(help->pos());
    const platform::Control* c = form_.HitTest(d.x(), d.y());
    if (c != nullptr && !c->ToolTipText().empty()) {
      QToolTip::showText(help->globalPos(), QString::fromStdString(c->ToolTipText()), this,
                         ToWidget(form_.WindowBounds(*c)));
    } else {
      QToolTip::hideText();
      e->ignore();
    }
    return true;
  }
  if (e->type() == QEvent::Enter) EndSystemMove();
  return QWidget::event(e);
}

void FormWidget::EndSystemMove() {
  if (!systemMove_) return;
  systemMove_ = false;
  if (events_ != nullptr) events_->OnMoved();
}

// ---- Mouse ----

void FormWidget::UpdateCursor(QPointF widgetPos) {
  const QPoint d = WidgetToDesign(widgetPos);
  const platform::Control* c = form_.HitTest(d.x(), d.y());
  switch (c == nullptr ? platform::kPointerDefault : c->MousePointer()) {
    case platform::kPointerHand:
      setCursor(hand_);
      break;
    case platform::kPointerSizeAll:
      setCursor(Qt::SizeAllCursor);
      break;
    default:
      unsetCursor();
      break;
  }
}

void FormWidget::mousePressEvent(QMouseEvent* e) {
  EndSystemMove();
  if (input_ == nullptr) return;
  const QPoint d = WidgetToDesign(e->position());
  const platform::PressResult r =
      input_->Press(d.x(), d.y(), ButtonOf(e->button()), ShiftOf(e->modifiers()));
  UpdateCursor(e->position());
  if (r != platform::PressResult::DragWindow) return;
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
    systemMove_ = true;
  } else {
    // No window manager to move us: follow the pointer until the release.
    manualMove_ = true;
    moveGrab_ = e->globalPosition().toPoint();
    moveOrigin_ = pos();
  }
}

void FormWidget::mouseMoveEvent(QMouseEvent* e) {
  if (manualMove_) {
    move(moveOrigin_ + e->globalPosition().toPoint() - moveGrab_);
    return;
  }
  EndSystemMove();
  if (input_ == nullptr) return;
  const QPoint d = WidgetToDesign(e->position());
  input_->Move(d.x(), d.y(), ButtonsOf(e->buttons()), ShiftOf(e->modifiers()));
  UpdateCursor(e->position());
}

void FormWidget::wheelEvent(QWheelEvent* e) {
  if (input_ == nullptr) return;
  // angleDelta is in eighths of a degree; a notch is 15 degrees.
  constexpr int kNotch = 120;
  wheelEighths_ += e->angleDelta().y();
  const int rows = wheelEighths_ / kNotch;
  wheelEighths_ -= rows * kNotch;
  const QPoint d = WidgetToDesign(e->position());
  input_->Wheel(d.x(), d.y(), rows);
  e->accept();
}

void FormWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (manualMove_) {
    manualMove_ = false;
    if (events_ != nullptr) events_->OnMoved();
    UpdateCursor(e->position());
    return;
  }
  EndSystemMove();
  if (input_ == nullptr) return;
  const QPoint d = WidgetToDesign(e->position());
  input_->Release(d.x(), d.y(), ButtonOf(e->button()), ShiftOf(e->modifiers()));
  UpdateCursor(e->position());
}

void FormWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (input_ == nullptr || manualMove_) return;
  const QPoint d = WidgetToDesign(e->position());
  input_->DoubleClick(d.x(), d.y(), ButtonOf(e->button()), ShiftOf(e->modifiers()));
  UpdateCursor(e->position());
}

// ---- Keys and text boxes ----

int FormWidget::KeyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return qtKey;  // the same codes
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return platform::kKeyReturn;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return platform::kKeyAlt;
    case Qt::Key_Escape:
      return platform::kKeyEscape;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

void FormWidget::keyPressEvent(QKeyEvent* e) {
  const int key = KeyCode(e->key());
  if (events_ == nullptr || key == 0) {
    QWidget::keyPressEvent(e);
    return;
  }
  events_->OnKeyDown(nullptr, key, ShiftOf(e->modifiers()));
}

void FormWidget::keyReleaseEvent(QKeyEvent* e) {
  const int key = KeyCode(e->key());
  if (events_ == nullptr || key == 0 || e->isAutoRepeat()) {
    QWidget::keyReleaseEvent(e);
    return;
  }
  events_->OnKeyUp(nullptr, key, ShiftOf(e->modifiers()));
}

bool FormWidget::eventFilter(QObject* watched, QEvent* e) {
  const auto it = std::find_if(editors_.begin(), editors_.end(),
                               [watched](const Editor& ed) { return ed.edit.get() == watched; });
  if (it == editors_.end() || events_ == nullptr) return QWidget::eventFilter(watched, e);
  platform::Control& c = *it->control;
  switch (e->type()) {
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      const int key = KeyCode(k->key());
      if (key == 0) return false;
      QLineEdit* edit = it->edit.get();
      events_->OnKeyDown(&c, key, ShiftOf(k->modifiers()));
      if (key == platform::kKeyReturn) return true;  // Enter sends; the box has no use for it
      // The box takes what it can use. What it leaves must not go on to the window, which
      // would hand the core the key a second time, as the table's: the key counts as taken.
      edit->event(e);
      e->accept();
      return true;
    }
    case QEvent::KeyRelease: {
      auto* k = static_cast<QKeyEvent*>(e);
      const int key = KeyCode(k->key());
      if (key == 0) return false;
      QLineEdit* edit = it->edit.get();
      if (!k->isAutoRepeat()) events_->OnKeyUp(&c, key, ShiftOf(k->modifiers()));
      edit->event(e);
      e->accept();
      return true;
    }
    case QEvent::FocusIn:
      // Also when the window comes back to a box that kept the focus, in case the core moved it.
      if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason &&
          (Within(static_cast<QFocusEvent*>(e)) || form_.Focused() != &c)) {
        form_.SetFocus(&c);
        events_->OnFocus(c, true);
      }
      return false;
    case QEvent::FocusOut:
      if (Within(static_cast<QFocusEvent*>(e))) {
        if (form_.Focused() == &c) form_.SetFocus(nullptr);
        events_->OnFocus(c, false);
      }
      return false;
    default:
      return false;
  }
}

}  // namespace host
