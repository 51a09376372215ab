#include "session/ActionGuard.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "model/Errors.h"

namespace vrx {
namespace {

struct EscapeCase {
  const char* name;
  std::function<void()> action;
  QString shown;
};

TEST(ActionGuardTest, ShowsTheMessageOfWhateverEscapesAndPutsTheCursorBack) {
  const EscapeCase cases[] = {
      {"EOwned", [] { throw EOwned(QStringLiteral("Ошибка записи во флэш")); },
       QStringLiteral("Ошибка записи во флэш")},
      {"EComPort", [] { throw EComPort("COM-порт не открыт"); },
       QStringLiteral("COM-порт не открыт")},
      {"standard", [] { throw std::out_of_range("index 35"); }, QStringLiteral("index 35")},
      {"other", [] { throw 42; }, QStringLiteral("Неизвестная ошибка")},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    PlainCursor cursor;
    RecordingMessages messages;
    const bool finished = RunGuarded(cursor, messages, [&] {
      cursor.Set(CursorShape::Wait);
      c.action();
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(cursor.Current(), CursorShape::Normal);
    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All()[0].kind, DialogKind::Error);
    EXPECT_EQ(messages.All()[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.All()[0].text, c.shown);
  }
}

TEST(ActionGuardTest, PutsBackTheCursorItFoundNotTheNormalOne) {
  PlainCursor cursor;
  cursor.Set(CursorShape::Wait);
  RecordingMessages messages;
  RunGuarded(cursor, messages, [&] {
    cursor.Set(CursorShape::Normal);
    throw EOwned("x");
  });
  EXPECT_EQ(cursor.Current(), CursorShape::Wait);
}

TEST(ActionGuardTest, AnAbortEndsTheActionWithoutAMessage) {
  PlainCursor cursor;
  RecordingMessages messages;
  const bool finished = RunGuarded(cursor, messages, [&] {
    cursor.Set(CursorShape::Wait);
    throw EAbort();
  });
  EXPECT_FALSE(finished);
  EXPECT_EQ(cursor.Current(), CursorShape::Normal);
  EXPECT_TRUE(messages.All().empty());
}

}  // namespace
}  // namespace vrx
