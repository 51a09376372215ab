#include "journal/JournalSerial.h"

#include <algorithm>

#include "iface/InterfaceBlock.h"
#include "image/SettingsFields.h"
#include "image/SettingsImage.h"
#include "rq7/Rq7Block.h"

namespace vrx {

QString SerialOf(JournalBlock block, const QByteArray& bytes, const ConnectionState& state) {
  InstrumentBuffer buffer;
  std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), InstrumentBuffer::kSize),
              buffer.bytes.begin());
  switch (block) {
    case JournalBlock::Settings:
      return QString::number(DeviceNumber(SettingsImage(buffer, state)));
    case JournalBlock::UnitBlock: {
      Rq7InitForm form = DefaultRq7Form();
      DecodeUnitBlock(buffer.data(), form);
      return form.texts.value(QStringLiteral("DevRQNoEdit"));
    }
    case JournalBlock::InterfaceSettings: {
      InterfaceForm form;
      DecodeInterfaceBlock(buffer.data(), form);
      return form.SerNumEdit;
    }
    case JournalBlock::PressureBlock:
      break;
  }
  return {};
}

}  // namespace vrx
