// Secondary windows on the offscreen platform: a registered form has a window exactly while it is
// Visible, the window follows the form's place, caption, opacity, modality and topmost flag, and
// a click on it reaches the form's event procedures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "host/form_windows.h"
#include "host/picture_store.h"
#include "platform/forms.h"

namespace {

class Events : public platform::DialogEvents {
 public:
  void OnClick(platform::Control* control) override {
    clicks.push_back(control != nullptr ? control->Name() : "(form)");
  }
  std::vector<std::string> clicks;
};

class FormWindows : public ::testing::Test {
 protected:
  FormWindows() {
    ok.SetPicture(1023);
    windows.Register(form, events);
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  host::FormWidget& Window() { return *windows.WindowOf(form); }

  // The form and its events outlive the window shown for them.
  host::PictureStore pictures;
  platform::Form form{"frmTest", {120, 80, 300, 150}};
  platform::Control& ok = form.AddImage("imgOK", {40, 100, 70, 30});
  Events events;
  host::FormWindows windows{pictures};
};

TEST_F(FormWindows, AWindowExistsOnScreenExactlyWhileItsFormIsVisible) {
  Settle();
  EXPECT_FALSE(Window().isVisible());
  form.SetCaption("离开");
  form.SetOpacity(200);
  form.SetVisible(true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  EXPECT_EQ(Window().size(), QSize(300, 150));
  EXPECT_EQ(Window().windowTitle(), QString::fromUtf8("离开"));
  EXPECT_NEAR(Window().windowOpacity(), 200.0 / 255.0, 0.01);

  form.SetGeometry({200, 90, 320, 160});  // re-centred while shown
  Settle();
  EXPECT_EQ(Window().size(), QSize(320, 160));
  EXPECT_EQ(Window().pos(), QPoint(200, 90));

  form.SetVisible(false);
  Settle();
  EXPECT_FALSE(Window().isVisible());

  windows.Unregister(form);
  EXPECT_EQ(windows.WindowOf(form), nullptr);
  form.SetVisible(true);  // no window follows an unregistered form any more
}

TEST_F(FormWindows, ModalAndTopmostAreTakenWhenTheWindowOpens) {
  form.SetModal(true);
  form.SetTopmost(true);
  form.SetVisible(true);
  Settle();
  EXPECT_EQ(Window().windowModality(), Qt::ApplicationModal);
  EXPECT_TRUE(Window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  form.SetVisible(false);
  form.SetModal(false);
  form.SetTopmost(false);
  form.SetVisible(true);
  Settle();
  EXPECT_EQ(Window().windowModality(), Qt::NonModal);
  EXPECT_FALSE(Window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(FormWindows, AClickOnTheWindowReachesTheFormsProcedures) {
  form.SetVisible(true);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  const QPointF at(75, 115);
  QMouseEvent press(QEvent::MouseButtonPress, at, Window().mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, Window().mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&Window(), &press);
  QApplication::sendEvent(&Window(), &release);
  EXPECT_EQ(events.clicks, std::vector<std::string>{"imgOK"});
}

}  // namespace
