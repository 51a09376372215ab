#include <gtest/gtest.h>

#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <stdexcept>

#include "app/VrxApplication.h"
#include "model/Errors.h"
#include "support/QtPrinters.h"

// The application object itself is under test here, so this file has its own main.

namespace vrx {
namespace {

// An object whose event handling fails: the error reaches the event loop unless the
// application stops it.
class FailingReceiver : public QObject {
 public:
  static constexpr QEvent::Type kFail = QEvent::User;
  static constexpr QEvent::Type kFailStd = static_cast<QEvent::Type>(QEvent::User + 1);
  static constexpr QEvent::Type kAbort = static_cast<QEvent::Type>(QEvent::User + 3);

  explicit FailingReceiver(CursorControl& cursor) : cursor_(cursor) {}
  int events = 0;

  bool event(QEvent* event) override {
    if (event->type() < QEvent::User)
      return QObject::event(event);
    ++events;
    cursor_.Set(CursorShape::Wait);
    if (event->type() == kFail)
      throw EOwned("Неверный формат числа");
    if (event->type() == kFailStd)
      throw std::runtime_error("bad_alloc");
    if (event->type() == kAbort)
      throw EAbort();
    return true;
  }

 private:
  CursorControl& cursor_;
};

TEST(ErrorHookTest, EscapedErrorsReachTheErrorBoxAndEventsGoOn) {
  auto* app = static_cast<VrxApplication*>(QCoreApplication::instance());
  PlainCursor cursor;
  RecordingMessages messages;
  app->SetErrorHook(cursor, messages);
  FailingReceiver receiver(cursor);

  QEvent fail(FailingReceiver::kFail);
  QCoreApplication::sendEvent(&receiver, &fail);
  QCoreApplication::postEvent(&receiver, new QEvent(FailingReceiver::kFailStd));
  QCoreApplication::processEvents();
  EXPECT_EQ(messages.Texts(), (QStringList{"Неверный формат числа", "bad_alloc"}));
  EXPECT_EQ(messages.All().at(0).caption, QStringLiteral("Ошибка"));
  EXPECT_EQ(cursor.Current(), CursorShape::Normal);

  QEvent plain(static_cast<QEvent::Type>(QEvent::User + 2));
  QCoreApplication::sendEvent(&receiver, &plain);
  EXPECT_EQ(receiver.events, 3);
  EXPECT_EQ(messages.All().size(), 2u);

  // A refused confirmation ends its handler without a message but still restores the cursor.
  cursor.Set(CursorShape::Normal);
  QEvent abort(FailingReceiver::kAbort);
  QCoreApplication::sendEvent(&receiver, &abort);
  EXPECT_EQ(receiver.events, 4);
  EXPECT_EQ(messages.All().size(), 2u);
  EXPECT_EQ(cursor.Current(), CursorShape::Normal);
}

// What Qt draws itself is Russian whatever the system's language, wherever the translations are
// installed.
TEST(ErrorHookTest, QtsOwnTextsAreRussianWhenTheTranslationsAreInstalled) {
  const QString file =
      QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm");
  if (!QFileInfo::exists(file))
    GTEST_SKIP() << file.toStdString() << " is not installed (qt6-translations-l10n)";
  const auto* app = static_cast<VrxApplication*>(QCoreApplication::instance());
  EXPECT_TRUE(app->QtTranslated());
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "&Имя файла:");
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "&Копировать");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
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
