#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vrx {

// The values of the tab "Доп. интерфейс" as its controls hold them (named as the controls), with
// the tab's defaults.
struct InterfaceForm {
  static constexpr int kNetNumLength = 2;
  static constexpr int kSerNumLength = 5;
  static constexpr int kObjIdLength = 16;
  static constexpr int kModemStrLength = 40;

  QString NetNumEdit = QStringLiteral("1");
  QString SerNumEdit = QStringLiteral("00000");
  QString VRXTimeOutEdit = QStringLiteral("1000");
  bool cbAutoSleep = false;
  QString ObjIDEdit;
  bool cbModemEnable = true;
  QString ModemStrEdit = QStringLiteral("ATS0=2");
  int cbRSSpeed = 3;  // index into SpeedItems()
  QString VersionEdit = QStringLiteral("1.0");
  QString IspEdit = QStringLiteral("1.0");

  // The items of cbRSSpeed: "4800", "9600", "19200", "38400".
  static const QStringList& SpeedItems();
  // The speed cbRSSpeed shows.
  uint32_t InterfaceBaud() const { return SpeedItems().at(cbRSSpeed).toUInt(); }
};

}  // namespace vrx
