// The tab "Доп. интерфейс" without widgets: the settings block both ways, the refused values, and
// "Прочитать" and "Записать" end to end against the emulated module.

#include <gtest/gtest.h>

#include <QJsonDocument>

#include "iface/Cp1251.h"
#include "iface/InterfaceBlock.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "support/EmulatedLink.h"
#include "support/LinkTestSupport.h"

namespace vrx::test {
namespace {

const QString kBoiler = QStringLiteral("Котельная №3");
const char* const kBoilerCp1251 = "CAEEF2E5EBFCEDE0FF20B933";

std::string BlockHex(const InterfaceBlock& block, int from, int count) {
  return HexText(block.data() + from, count);
}

TEST(InterfaceBlock, EncodesTheTabsValues) {
  struct Case {
    const char* label;
    void (*edit)(InterfaceForm&);
    int from;
    int count;
    const char* bytes;
  };
  const Case cases[] = {
      {"defaults", [](InterfaceForm&) {}, 0, 8, "00010000000F0000"},
      {"1000 ms is 15 units", [](InterfaceForm& f) { f.VRXTimeOutEdit = "1000"; }, 4, 2, "000F"},
      {"1.5 units round to 2", [](InterfaceForm& f) { f.VRXTimeOutEdit = "99"; }, 4, 2, "0002"},
      {"2.5 units round to 2", [](InterfaceForm& f) { f.VRXTimeOutEdit = "165"; }, 4, 2, "0002"},
      {"largest serial number", [](InterfaceForm& f) { f.SerNumEdit = "65535"; }, 2, 2, "FFFF"},
      {"largest time-out", [](InterfaceForm& f) { f.VRXTimeOutEdit = "4325310"; }, 4, 2, "FFFF"},
      {"flags", [](InterfaceForm& f) { f.cbAutoSleep = true, f.cbModemEnable = false; }, 6, 2,
       "0001"},
      {"16 characters fill bytes 8 to 23, byte 24 stays 0",
       [](InterfaceForm& f) { f.ObjIDEdit = "ABCDEFGHIJKLMNOPQ"; }, 8, 17,
       "4142434445464748494A4B4C4D4E4F5000"},
      {"Cyrillic in Windows-1251", [](InterfaceForm& f) { f.ObjIDEdit = kBoiler; }, 8, 13,
       "CAEEF2E5EBFCEDE0FF20B93300"},
      {"modem string, zero bytes after", [](InterfaceForm&) {}, 24, 10, "0001415453303D320000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    InterfaceForm form;
    c.edit(form);
    EXPECT_EQ(BlockHex(EncodeInterfaceBlock(form), c.from, c.count), c.bytes);
  }
}

TEST(InterfaceBlock, RefusesValuesItCannotWrite) {
  struct Case {
    void (*edit)(InterfaceForm&);
    const char* message;
  };
  const Case cases[] = {
      {[](InterfaceForm& f) { f.NetNumEdit = "x1"; },
       "Поле \"Сетевой адрес\": \"x1\" не является целым числом"},
      {[](InterfaceForm& f) { f.NetNumEdit = "-1"; },
       "Поле \"Сетевой адрес\": число должно быть от 0 до 99"},
      {[](InterfaceForm& f) { f.VRXTimeOutEdit = " "; },
       "Поле \"Время ожидания ответа\" не заполнено"},
      // 65536 × 66 ms: one unit more than the register holds.
      {[](InterfaceForm& f) { f.VRXTimeOutEdit = "4325376"; },
       "Поле \"Время ожидания ответа\": число должно быть от 0 до 4325310"},
      {[](InterfaceForm& f) { f.SerNumEdit = "65536"; },
       "Поле \"Заводской номер\": число должно быть от 0 до 65535"},
      {[](InterfaceForm& f) { f.ObjIDEdit = "Узел 中"; },
       "Поле \"Описание объекта\" содержит символ \"中\", которого нет в кодировке Windows-1251"},
      {[](InterfaceForm& f) { f.ModemStrEdit = "AT☃"; },
       "Поле \"Строка инициализации модема\" содержит символ \"☃\", которого нет в кодировке "
       "Windows-1251"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    InterfaceForm form;
    c.edit(form);
    EXPECT_EQ(ErrorOf([&] { EncodeInterfaceBlock(form); }), c.message);
  }
}

TEST(InterfaceBlock, DecodesTheModulesBlock) {
  InterfaceBlock block{};
  block[1] = 7;
  block[2] = 0x30, block[3] = 0x39;  // 12345
  block[5] = 15;
  block[7] = 0x02;  // any non-zero value sets the flag
  const QByteArray boiler = QByteArray::fromHex(kBoilerCp1251);
  std::copy(boiler.begin(), boiler.end(), block.begin() + 8);
  std::fill(block.begin() + 26, block.begin() + 66, 'A');  // 40 characters, no zero byte
  InterfaceForm form;
  DecodeInterfaceBlock(block.data(), form);
  EXPECT_EQ(form.NetNumEdit, "7");
  EXPECT_EQ(form.SerNumEdit, "12345");
  EXPECT_EQ(form.VRXTimeOutEdit, "990");
  EXPECT_TRUE(form.cbAutoSleep);
  EXPECT_EQ(form.ObjIDEdit, kBoiler);
  EXPECT_FALSE(form.cbModemEnable);
  EXPECT_EQ(form.ModemStrEdit, QString(40, 'A'));
  EXPECT_EQ(FromCp1251(QByteArray::fromHex("41983F")), QStringLiteral("A\uFFFD?"));
}

struct ModuleTab {
  std::unique_ptr<EmulatedLink> link = EmulatedLink::WithModule();
  InterfaceSettings tab{link->modbus, link->modbusBuffer};
};

TEST(InterfaceSettings, WritesTheFrameAndReadsItBack) {
  ModuleTab m;
  InterfaceForm& f = m.tab.Form();
  f.NetNumEdit = "12";
  f.SerNumEdit = "54321";
  f.VRXTimeOutEdit = "1000";
  f.cbAutoSleep = true;
  f.ObjIDEdit = kBoiler;
  f.cbModemEnable = false;
  f.ModemStrEdit = "AT&F";
  m.tab.Write();
  const auto frames = m.link->Module().Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(HexText(frames[1].data(), static_cast<int>(frames[1].size())),
            "00100000002346000CD431000F0001" + std::string(kBoilerCp1251) + "000000000000" +
                "41542646" + std::string(2 * 40, '0') + "883B");

  ModuleTab fresh;
  fresh.link->Module().SetRegisterBlock(m.link->Module().RegisterBlock());
  fresh.tab.Read();
  const QJsonObject expected = {{"NetNumEdit", "12"},      {"SerNumEdit", "54321"},
                                {"VRXTimeOutEdit", "990"}, {"ObjIDEdit", kBoiler},
                                {"ModemStrEdit", "AT&F"},  {"VersionEdit", "1.4"},
                                {"IspEdit", "2.1"},        {"cbAutoSleep", true},
                                {"cbModemEnable", false},  {"cbRSSpeed", "38400"}};
  EXPECT_EQ(ToForm(fresh.tab.Form()), expected);
}

TEST(InterfaceSettings, ARefusedValueOrASilentModuleStopsTheWriteBeforeTheSettingsGo) {
  ModuleTab m;
  m.tab.Form().ObjIDEdit = "中";
  EXPECT_NE(ErrorOf([&] { m.tab.Write(); }), "<no error>");
  EXPECT_TRUE(m.link->Module().Frames().empty());

  m.tab.Form().ObjIDEdit = "";
  m.link->Module().Arm(sim::ModuleFault::NoReply);
  EXPECT_EQ(ErrorOf([&] { m.tab.Write(); }), "Нет ответа от прибора");
  EXPECT_EQ(m.link->Module().Frames().size(), 1u);
  EXPECT_EQ(m.link->Module().RegisterBlock(), sim::InterfaceModule::DefaultRegisters());
}

TEST(InterfaceFormFile, AppliesAsTypedAndRefusesWrongValues) {
  ModuleTab m;
  EXPECT_EQ(ApplyForm(m.tab, QJsonDocument::fromJson(R"({"NetNumEdit": "123",
      "SerNumEdit": "1234567", "ObjIDEdit": "0123456789abcdefXYZ", "cbAutoSleep": true,
      "cbRSSpeed": "9600", "VersionEdit": "9.9"})")
                                 .object()),
            QStringList());
  const InterfaceForm& f = m.tab.Form();
  EXPECT_EQ(f.NetNumEdit, "12");
  EXPECT_EQ(f.SerNumEdit, "12345");
  EXPECT_EQ(f.ObjIDEdit, "0123456789abcdef");
  EXPECT_TRUE(f.cbAutoSleep);
  EXPECT_EQ(f.VersionEdit, "1.0");
  EXPECT_EQ(m.link->modbus.InterfaceBaud(), 9600u);

  // Refused whole: the good key beside a bad one is not applied either.
  for (const char* bad : {R"({"cbRSSpeed": "115200"})", R"({"cbModemEnable": "да"})",
                          R"({"NetNumEdit": 5})", R"({"NetNumEdt": "5"})"}) {
    SCOPED_TRACE(bad);
    QJsonObject form = QJsonDocument::fromJson(bad).object();
    const QString key = form.begin().key();
    form.insert("ObjIDEdit", "changed");
    EXPECT_EQ(ApplyForm(m.tab, form), QStringList{key});
    EXPECT_EQ(f.ObjIDEdit, "0123456789abcdef");
  }
}

}  // namespace
}  // namespace vrx::test
