// "Установка счетчиков" without its widgets: masks and texts, and each behaviour once against
// an emulated instrument, the written images compared byte for byte.
#include "service/CounterSetting.h"

#include <gtest/gtest.h>

#include "model/EValidation.h"
#include "service/ServiceBench.h"
#include "support/QtPrinters.h"

namespace vrx {
namespace {

using test::ErrorOf;
using test::ServiceBench;

const char* const kStamp = "59 23 31 12 24";

QStringList Shown(const CounterSetting& dialog) {
  QStringList shown;
  for (const CounterField& field : dialog.fields)
    shown << (field.state == CounterFieldState::Hidden ? "null" : MaskedDisplay(field));
  return shown;
}

TEST(CounterFieldText, MaskedDisplayAndBack) {
  const struct {
    const char* mask;
    const char* text;
    const char* display;
  } cases[] = {{"00000:00;0;_", "0001259", "00012:59"},
               {"00000:00;0;_", "00012", "00012:__"},
               {"0000000,000000;0;_", "1234567890123", "1234567,890123"},
               {"00000,000000;0;_", "65544332211", "65544,332211"}};
  for (const auto& c : cases) {
    CounterField field;
    field.state = CounterFieldState::Editable;
    field.mask = c.mask;
    field.text = c.text;
    EXPECT_EQ(MaskedDisplay(field), c.display);
    EXPECT_EQ(TextOfDisplay(field, c.display),
              QString(c.text).leftJustified(field.mask.count('0') - 1, '_'));
  }
}

// A VRX-L1 with scheme 17: counters of channels 1, 2 and the optional channel 4, heat meter 1
// over channels 1 and 2; channel 3 and heat meter 2 are "----" and keep their bytes.
TEST(CounterSetting, ReadsAndWritesAVrxL1) {
  ServiceBench bench("VRX-L1-2.1");
  bench.Patch(26, "59 12 00 00");           // tp1 00012:59
  bench.Patch(34, "11 11 11 11");           // tp3, not shown
  bench.Patch(42, "21 43 65 87 09 21 03");  // Q1
  bench.Patch(49, "11 11 11 11 11 11 11");  // Q3, not shown
  bench.Patch(56, "11 22 33 44 55 06");     // G1
  CounterSetting dialog(bench.Link());
  dialog.FormShow();
  EXPECT_EQ(std::make_pair(dialog.plDeviceType, dialog.plNScheme),
            std::make_pair(QString("VRX-L1-2.1"), QString("17")));
  dialog.bnReadClick();
  EXPECT_EQ(Shown(dialog),
            QStringList({"00012:59", "00000:00", "----", "00000:00", "null", "321098,7654321",
                         "----", "655443,32211", "000000,00000", "----", "000000,00000", "null"}));

  CounterField& q1 = dialog.Field("meQ1");
  q1.text = TextOfDisplay(q1, "123456,7890123");
  dialog.Field("metp2").text = "";  // nothing typed: zero
  const std::string expected = bench.Expected({{12, kStamp}, {42, "23 01 89 67 45 23 01"}});
  dialog.bnWriteClick(bench.Write());
  EXPECT_EQ(bench.ImageHex(), expected);
  EXPECT_EQ(bench.messages.Texts(), QStringList{"Счетчики установлены"});
}

// A VRX-L13 with scheme 28: heat meter 1 over channels 1 and 2. With equal scale codes the edit
// shows the 13 lower digits and a "0" goes in front when writing; with different codes it shows
// the 13 upper ones and a "0" is appended.
TEST(CounterSetting, EnergyOverTwoChannelsOfAVrxL13) {
  const struct {
    const char* channels;  // bytes of channels 1 and 2
    const char* shown;
    const char* written;
  } cases[] = {{"09 09", "1234567,890123", "45 23 01 21 43 65 07"},
               {"05 09", "0123456,789012", "50 34 12 10 32 54 76"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.channels);
    ServiceBench bench("VRX-L13-2.2");
    bench.Patch(88, "1B");
    bench.Patch(82, c.channels);
    bench.Patch(14, "23 01 89 67 45 23 01");
    CounterSetting dialog(bench.Link());
    dialog.FormShow();
    dialog.bnReadClick();
    CounterField& q1 = dialog.Field("meQ1");
    EXPECT_EQ(q1.mask, "0000000,000000;0;_");
    EXPECT_EQ(MaskedDisplay(q1), c.shown);
    q1.text = TextOfDisplay(q1, "7654321,012345");
    const std::string expected = bench.Expected({{1, kStamp}, {14, c.written}});
    dialog.bnWriteClick(bench.Write(true));
    EXPECT_EQ(bench.ImageHex(), expected);
    EXPECT_EQ(bench.Device().Writes().back().command, 0);
  }
}

TEST(CounterSetting, RefusesBadValuesBeforeTalkingToTheInstrument) {
  const struct {
    const char* field;
    const char* display;
    const char* message;
  } cases[] = {{"metp1", "00012:75", "Введите значение минут в диапазоне 0-59 в поле \"tp1\""},
               {"metp1", "0001_:59", "Введите десятичное число в поле \"tp1\""},
               {"meG2", "00000,00_000", "Введите десятичное число в поле \"G2\""}};
  ServiceBench bench("VRX-L2-2.2");
  CounterSetting dialog(bench.Link());
  dialog.FormShow();
  dialog.bnReadClick();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.display);
    dialog.bnReadClick();
    CounterField& field = dialog.Field(c.field);
    field.text = TextOfDisplay(field, c.display);
    bench.Device().ClearHeard();
    try {
      dialog.bnWriteClick(bench.Write());
      ADD_FAILURE() << "accepted";
    } catch (const EValidation& error) {
      EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
      EXPECT_EQ(error.FocusControl(), c.field);
    }
    EXPECT_TRUE(bench.Device().Heard().empty());
  }
}

TEST(CounterSetting, RefusesAnotherSchemeOrModelAndReportsAnUnknownScheme) {
  ServiceBench bench("VRX-L13-2.2");
  CounterSetting dialog(bench.Link());
  dialog.FormShow();
  bench.Patch(88, "1B");
  EXPECT_EQ(ErrorOf([&] { dialog.bnWriteClick(bench.Write()); }),
            "Неверно задан номер измерительной схемы.");
  bench.Replace("VRX-L13-2.1");
  EXPECT_EQ(ErrorOf([&] { dialog.bnWriteClick(bench.Write()); }), "Неверно задан тип прибора.");
  EXPECT_FALSE(bench.Wrote());

  bench.Patch(88, "7F");
  dialog.FormShow();
  EXPECT_TRUE(dialog.plDeviceType.isEmpty() && dialog.plNScheme.isEmpty());
  EXPECT_EQ(ErrorOf([&] { dialog.bnReadClick(); }),
            "Неправильный номер схемы теплопотребления. Прибор не проинициализирован.");
}

}  // namespace
}  // namespace vrx
