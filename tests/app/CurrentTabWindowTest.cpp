// The tab "Текущие параметры" in the window: what it shows after "Считать" equals what
// `vrxctl current --json` prints for the same instrument; a failed readout shows nothing and
// Timer2 gives the button back.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/MainForm.h"
#include "cli/VrxCtl.h"
#include "current/CurrentDisplay.h"
#include "sim/EmulatedInstrument.h"
#include "sim/HeatCalculator.h"
#include "support/FakePortLine.h"
#include "support/QtPrinters.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QJsonObject& object, std::ostream* os) {
  *os << QJsonDocument(object).toJson().toStdString();
}
QT_END_NAMESPACE

namespace vrx {
namespace {

// The window on an emulated heat calculator whose clock stands still, so that two readouts
// give the same values.
struct WindowOnInstrument {
  explicit WindowOnInstrument(const char* type, std::optional<uint8_t> typeByte = std::nullopt) {
    sim::HeatCalculatorConfig config;
    config.typeIndex = sim::HeatCalculator::TypeIndexByName(type);
    config.typeByte = typeByte;
    config.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(1, 2)); };
    emulator =
        std::make_unique<sim::EmulatedInstrument>(std::make_unique<sim::HeatCalculator>(config));
    context.connection.port.Naming().SetOverride(1, Path());
    form = std::make_unique<TMainForm>(context, StartupOptions{});
  }

  QString Path() const { return QString::fromStdString(emulator->SlavePath()); }
  template <typename T = QWidget>
  T* Find(const QString& name) const {
    return form->findChild<T*>(name);
  }
  void Read() {
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("bnReadCurParams")), Qt::LeftButton);
  }

  // Whether the control is on the tab as shown: neither it nor a panel it sits on is hidden.
  bool Shown(const QString& name) const {
    const QWidget* tab = Find(QStringLiteral("CurrentTab"));
    for (const QWidget* w = Find(name); w != tab; w = w->parentWidget()) {
      if (w->isHidden())
        return false;
    }
    return true;
  }

  // The tab's controls as the companion keys them.
  QJsonObject ShownJson() const {
    QJsonObject json;
    for (const QString& name : CurrentDisplay::Names()) {
      json.insert(name, Shown(name) ? QJsonValue(Find<QLabel>(name)->text())
                                    : QJsonValue(QJsonValue::Null));
    }
    json.insert(QStringLiteral("plColdWater"), Shown(QStringLiteral("plColdWater")));
    return json;
  }

  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context{
      pacer, cursor, messages, test::PlainNaming(), {}, dir.filePath(QStringLiteral("tool.ini"))};
  std::unique_ptr<sim::EmulatedInstrument> emulator;
  std::unique_ptr<TMainForm> form;
};

QJsonObject CompanionCurrent(const QString& path) {
  QString printed, errors;
  QTextStream out(&printed), err(&errors);
  const int code = RunVrxCtl({"vrxctl", "--port", path, "current", "--json"}, out, err);
  out.flush();
  EXPECT_EQ(code, 0) << errors.toStdString();
  return QJsonDocument::fromJson(printed.toUtf8()).object();
}

TEST(CurrentTabWindow, ReadShowsWhatTheCompanionPrintsForEachFamily) {
  struct Case {
    const char* type;
    std::optional<uint8_t> typeByte;
  };
  for (const Case& c : {Case{"VRX-L1-2.1", {}}, Case{"VRX-L2-1.2", {}}, Case{"VRX-L3-2.0", 10},
                        Case{"VRX-L5-2.2", {}}, Case{"VRX-L12-1.1", {}}, Case{"VRX-L13-2.2", {}}}) {
    SCOPED_TRACE(c.type);
    WindowOnInstrument window(c.type, c.typeByte);
    window.Read();
    ASSERT_TRUE(window.messages.All().empty()) << window.messages.Texts().join('\n').toStdString();
    const QJsonObject shown = window.ShownJson();
    EXPECT_EQ(shown.value("stVRXType").toString(), QString::fromLatin1(c.type));
    // The port is the window's alone while it is open.
    window.context.connection.port.Close();
    EXPECT_EQ(shown, CompanionCurrent(window.Path()));
  }
}

TEST(CurrentTabWindow, AFailedReadoutShowsNothingAndTimer2GivesTheButtonBack) {
  WindowOnInstrument window("VRX-L13-2.2");
  window.Read();
  ASSERT_TRUE(window.Shown(QStringLiteral("plCurParams2")));
  // Two error lines in channel 1's cell, both shown.
  auto& calculator = static_cast<sim::HeatCalculator&>(window.emulator->Device());
  calculator.WithCurrentValues([](sim::CurrentValues& values) { values.SetBlockBits(19, 0xC0); });
  auto* timer = window.Find<QTimer>(QStringLiteral("Timer2"));
  QMetaObject::invokeMethod(timer, "timeout");
  window.Read();
  auto* errors = window.Find<QLabel>(QStringLiteral("stErrors1"));
  EXPECT_EQ(errors->text(), QStringLiteral("Ошибка ПР\r\nt вне диапазона\r\n"));
  EXPECT_GE(errors->sizeHint().height(), 2 * errors->fontMetrics().height());

  QMetaObject::invokeMethod(timer, "timeout");
  calculator.Arm(sim::Fault::WrongChecksum, 8);
  window.Read();
  EXPECT_EQ(window.messages.Texts(), QStringList{QStringLiteral("Несовпадение контрольной суммы")});
  EXPECT_FALSE(window.Shown(QStringLiteral("plCurParams2")));
  EXPECT_EQ(window.Find<QLabel>(QStringLiteral("stVRXType"))->text(), QString());
  auto* read = window.Find<QPushButton>(QStringLiteral("bnReadCurParams"));
  EXPECT_FALSE(read->isEnabled());
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 2000);
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_TRUE(read->isEnabled());
  EXPECT_FALSE(timer->isActive());
}

}  // namespace
}  // namespace vrx
