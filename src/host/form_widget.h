#pragma once
// A top-level window that shows one form of the control model, scaled to the window.
#include <QWidget>

#include "host/picture_store.h"
#include "platform/controls.h"

namespace host {

class FormWidget final : public QWidget, public platform::FormObserver {
 public:
  FormWidget(platform::Form& form, PictureStore& pictures, bool frameless);
  ~FormWidget() override;

  void FormChanged(platform::Form& form, platform::Rect dirty) override;
  // Paints the whole form at design size (for snapshots).
  static void PaintForm(QPainter& p, const platform::Form& form, PictureStore& pictures);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void SyncWindow();
  QRect ToWidget(const platform::Rect& r) const;
  double Scale() const;

  platform::Form& form_;
  PictureStore& pictures_;
  bool syncing_ = false;
};

}  // namespace host
