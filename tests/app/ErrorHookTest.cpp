#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <stdexcept>

#include "app/QtPrinters.h"
#include "app/VrxApplication.h"
#include "model/Errors.h"

// The application object itself is under test here, so this file has its own main.

namespace vrx {
namespace {

// A control whose key handling fails: the error reaches the event loop unless the application
// stops it.
class FailingControl : public QWidget {
 public:
  explicit FailingControl(CursorControl& cursor) : cursor_(cursor) {}
  int keys = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    ++keys;
    cursor_.Set(CursorShape::Wait);
    if (event->key() == Qt::Key_X)
      throw EOwned("Неверный формат числа");
    if (event->key() == Qt::Key_Y)
      throw std::runtime_error("bad_alloc");
  }

 private:
  CursorControl& cursor_;
};

TEST(ErrorHookTest, EscapedErrorsReachTheErrorBoxAndEventsGoOn) {
  auto* app = static_cast<VrxApplication*>(QCoreApplication::instance());
  PlainCursor cursor;
  RecordingMessages messages;
  app->SetErrorHook(cursor, messages);
  FailingControl control(cursor);
  control.show();

  QTest::keyClick(&control, Qt::Key_X);
  QTest::keyClick(&control, Qt::Key_Y);
  EXPECT_EQ(messages.Texts(), (QStringList{"Неверный формат числа", "bad_alloc"}));
  EXPECT_EQ(messages.All().at(0).caption, QStringLiteral("Ошибка"));
  EXPECT_EQ(cursor.Current(), CursorShape::Normal);

  QTest::keyClick(&control, Qt::Key_A);
  EXPECT_EQ(control.keys, 3);
  EXPECT_EQ(messages.All().size(), 2u);
}

}  // namespace
}  // namespace vrx

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  vrx::VrxApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
