#include "iface/InterfaceBlock.h"

#include <cmath>

#include "iface/Cp1251.h"
#include "model/DecimalText.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr int kTimeoutUnitMs = 66;
constexpr int kAutoSleepByte = 7;
constexpr int kObjIdAt = 8;
constexpr int kModemByte = 25;
constexpr int kModemStrAt = 26;

// The largest value of a register; the time-out register counts units of kTimeoutUnitMs.
constexpr int kWordMax = 0xFFFF;
// What the two digits of the network address hold.
constexpr int kNetNumMax = 99;

void PutWord(InterfaceBlock& block, int at, int64_t value) {
  block[at] = static_cast<uint8_t>((value >> 8) & 0xFF);
  block[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

void PutText(InterfaceBlock& block, int at, int length, const QString& text, const QString& field) {
  const QString kept = text.left(length);
  const std::optional<QByteArray> bytes = ToCp1251(kept);
  if (!bytes) {
    QString refused;
    for (QChar c : kept) {
      if (!ToCp1251(QString(c)))
        refused = c;
    }
    throw EOwned(QStringLiteral("Поле \"%1\" содержит символ \"%2\", которого нет в кодировке "
                                "Windows-1251")
                     .arg(field, refused));
  }
  std::copy(bytes->begin(), bytes->end(), block.begin() + at);
}

QString TextAt(const uint8_t* block, int at, int length) {
  int size = 0;
  while (size < length && block[at + size] != 0)
    ++size;
  return FromCp1251(QByteArray(reinterpret_cast<const char*>(block + at), size));
}

int Word(const uint8_t* block, int at) {
  return block[at] << 8 | block[at + 1];
}

}  // namespace

InterfaceBlock EncodeInterfaceBlock(const InterfaceForm& form) {
  InterfaceBlock block{};
  // A value outside its register would be written cut to 16 bits, so it is refused.
  PutWord(block, 0, IntegerIn(form.NetNumEdit, QStringLiteral("Сетевой адрес"), 0, kNetNumMax));
  PutWord(block, 2, IntegerIn(form.SerNumEdit, QStringLiteral("Заводской номер"), 0, kWordMax));
  const double units =
      static_cast<double>(IntegerIn(form.VRXTimeOutEdit, QStringLiteral("Время ожидания ответа"), 0,
                                    kWordMax * kTimeoutUnitMs)) /
      kTimeoutUnitMs;
  // nearbyint rounds halves to even in the default rounding mode.
  PutWord(block, 4, static_cast<int64_t>(std::nearbyint(units)));
  block[kAutoSleepByte] = form.cbAutoSleep ? 1 : 0;
  PutText(block, kObjIdAt, InterfaceForm::kObjIdLength, form.ObjIDEdit,
          QStringLiteral("Описание объекта"));
  block[kModemByte] = form.cbModemEnable ? 1 : 0;
  PutText(block, kModemStrAt, InterfaceForm::kModemStrLength, form.ModemStrEdit,
          QStringLiteral("Строка инициализации модема"));
  return block;
}

void DecodeInterfaceBlock(const uint8_t* block, InterfaceForm& form) {
  form.NetNumEdit = QString::number(Word(block, 0));
  form.SerNumEdit = QString::number(Word(block, 2));
  form.VRXTimeOutEdit = QString::number(Word(block, 4) * kTimeoutUnitMs);
  form.cbAutoSleep = block[kAutoSleepByte] != 0;
  form.ObjIDEdit = TextAt(block, kObjIdAt, InterfaceForm::kObjIdLength);
  form.cbModemEnable = block[kModemByte] != 0;
  form.ModemStrEdit = TextAt(block, kModemStrAt, InterfaceForm::kModemStrLength);
}

void DecodeInterfaceId(const uint8_t* data, InterfaceForm& form) {
  form.IspEdit = QStringLiteral("%1.%2").arg(data[4]).arg(data[5]);
  form.VersionEdit = QStringLiteral("%1.%2").arg(data[6]).arg(data[7]);
}

}  // namespace vrx
