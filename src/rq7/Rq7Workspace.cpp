#include "rq7/Rq7Workspace.h"

#include <algorithm>

#include "model/Errors.h"
#include "rq7/Rq7Block.h"

namespace vrx {

namespace {

const char* const kNotRead = "Сначала считайте блок RQ-7 кнопкой «Считать»";
const char* const kDone = "Прибор проинициализирован успешно.";
const char* const kDoneLeaveInitMode =
    "Прибор проинициализирован успешно. Выйти из режима инициализации?";

// Leaves initialization mode: the command byte and its echo, nothing else.
constexpr uint8_t kLeaveInitMode = 3;

}  // namespace

Rq7Workspace::Rq7Workspace(QObject* parent) : QObject(parent), form_(DefaultRq7Form()) {}

void Rq7Workspace::SetTrackBar(int position) {
  form_.TrackBar1 = position;
  form_.texts[QStringLiteral("l1")] = TrackBarCaption(position);
  emit changed();
}

void Rq7Workspace::Read(Connection& c) {
  c.link.IdentifyInterfaceUnit();
  c.link.ReadUnitBlock();
  Block block{};
  std::copy_n(c.buffer.bytes.begin(), kBlockLength, block.begin());
  DecodeUnitBlock(block.data(), form_);
  lastRead_ = block;
  emit changed();
}

bool Rq7Workspace::Initialize(Connection& c, PcTimeStamp& stamp, PcTimeConfirmation& confirmation,
                              Messages& messages, bool l1Family) {
  if (!lastRead_)
    throw EOwned(kNotRead);
  std::copy(lastRead_->begin(), lastRead_->end(), c.buffer.bytes.begin());
  stamp.StampInterfaceUnitTime(confirmation, c.buffer);
  EncodeUnitBlock(form_, c.buffer.data());
  const QStringList failed = CheckUnitFlows(form_);
  for (const QString& message : failed)
    messages.ShowInfo(message);
  if (!failed.isEmpty())
    return false;

  c.link.WriteUnitBlock(true, QStringLiteral("Инициализация RQ-7"));
  std::copy_n(c.buffer.bytes.begin(), kBlockLength, lastRead_->begin());
  if (l1Family) {
    messages.ShowInfo(QString::fromUtf8(kDone));
  } else if (messages.Confirm(QString::fromUtf8(kDoneLeaveInitMode))) {
    c.link.DeviceExchange(kLeaveInitMode, {}, {}, true, 0);
  }
  return true;
}

}  // namespace vrx
