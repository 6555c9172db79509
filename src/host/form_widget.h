#pragma once
// A top-level window that shows one form of the control model and hands the user's input to the
// core. The form's design is scaled to the window (letterboxed, centred) and to the screen's
// pixel ratio; the model's coordinates never change for that.
#include <QCursor>
#include <QLineEdit>
#include <QPoint>
#include <QRegion>
#include <QSizeGrip>
#include <QTransform>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/picture_store.h"
#include "platform/controls.h"
#include "platform/form_events.h"
#include "platform/form_input.h"
#include "platform/form_view.h"

namespace host {

class FormWidget final : public QWidget, public platform::FormObserver {
 public:
  // The main window can be resized and scales its design; a secondary window (a dialog, a
  // sheet) keeps the form's size and place, follows it while shown, and honours Modal and
  // Topmost.
  enum class Role { Main, Secondary };
  // events may be null: the window then only shows the form.
  FormWidget(platform::Form& form, PictureStore& pictures, bool frameless,
             platform::FormEvents* events = nullptr, Role role = Role::Main);
  ~FormWidget() override;

  void FormChanged(platform::Form& form, platform::Rect dirty) override;
  // Paints the form at design size, under the painter's transform. Text boxes are left out
  // when the caller shows them as widgets of its own. Prepared: pictures and text are copied
  // from the store at the device pixels they cover; otherwise each is scaled as it is drawn
  // (the reference the prepared painting is checked and measured against).
  static void PaintForm(QPainter& p, const platform::Form& form, PictureStore& pictures,
                        bool paintTextBoxes = true, bool prepared = true);

  // Design pixels to widget pixels, and back.
  QTransform DesignToWidget() const;
  QPoint WidgetToDesign(QPointF p) const;
  // Paint events so far: an idle table must not add to it.
  std::uint64_t PaintCount() const { return paints_; }
  const QRegion& LastPaintRegion() const { return lastPaint_; }
  // The editor that shows a text box, or null.
  QLineEdit* EditorOf(const platform::Control& c) const;

  // The virtual-key code of a Qt key, 0 for keys the core does not know.
  static int KeyCode(int qtKey);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  struct Editor {
    platform::Control* control;
    std::unique_ptr<QLineEdit> edit;  // also a child widget: it unparents itself when freed
    std::uint64_t caretMoves;         // the core's caret moves the editor has followed
  };

  void SyncWindow();
  void SyncSecondary();
  void SyncEditor(Editor& ed);
  void SyncFocus();
  void UpdateTransform();
  QRect ToWidget(const platform::Rect& r) const;
  // After every pointer event: the pointer of the control under it, or of the captured one.
  void UpdateCursor(QPointF widgetPos);
  // A system move of the window has ended when the pointer comes back to the window.
  void EndSystemMove();

  platform::Form& form_;
  PictureStore& pictures_;
  platform::FormEvents* events_;
  Role role_;
  std::unique_ptr<platform::FormInput> input_;
  int wheelEighths_ = 0;  // a fine-grained wheel's turn not yet a whole notch
  std::vector<Editor> editors_;
  std::unique_ptr<QSizeGrip> grip_;
  QCursor hand_;
  platform::Letterbox view_;
  bool syncing_ = false;
  bool systemMove_ = false;
  bool manualMove_ = false;
  QPoint moveGrab_;    // the pointer's global place when a manual move started
  QPoint moveOrigin_;  // the window's place then
  bool wasMinimized_ = false;
  std::uint64_t paints_ = 0;
  QRegion lastPaint_;
  bool logPaints_ = false;
};

}  // namespace host
