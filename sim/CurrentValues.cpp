#include "sim/CurrentValues.h"

#include <QRegularExpression>
#include <stdexcept>

#include "model/InputFile.h"
#include "sim/CurrentBlockBuilder.h"

namespace vrx::sim {

namespace {

constexpr uint8_t kUnknownFamilyTypeByte = 13;  // code 9 after the alias step: no such family
constexpr uint8_t kUnknownSchemeCode = 0x7F;
constexpr uint8_t kBadBcdByte = 0x5A;
constexpr int kTypeBytePosition = 11;
constexpr uint8_t kTypeByte10 = 10;

void Corrupt(std::vector<uint8_t>& block, const CurrentValues::FaultActive& active) {
  if (active(Fault::WrongChecksum))
    block.back() ^= 0x01;
}

}  // namespace

CurrentValues::CurrentValues(TimeSource now) : now_(std::move(now)), started_(Now()) {}

QDateTime CurrentValues::Now() const {
  return now_ ? now_() : QDateTime::currentDateTime();
}

std::vector<uint8_t> CurrentValues::ClockReply(const TDeviceRecord& type, uint8_t typeByte,
                                               const std::vector<uint8_t>& settings,
                                               const FaultActive& active) const {
  std::array<uint8_t, 5> lastInit{};
  if (lastWrite_) {
    lastInit = BcdTime(*lastWrite_);
  } else {
    const int stamp = (*type.Layout)[InitTime];
    std::copy_n(settings.begin() + stamp - 1, lastInit.size(), lastInit.begin());
  }
  std::vector<uint8_t> block = BuildClockBlock(Now(), lastInit, typeByte);
  if (active(Fault::UnknownFamily))
    block[kTypeBytePosition - 1] = kUnknownFamilyTypeByte;
  if (active(Fault::BadBcdDigit))
    block[0] = kBadBcdByte;
  SealBlock(block);
  Corrupt(block, active);
  return block;
}

std::vector<uint8_t> CurrentValues::CurrentReply(const TDeviceRecord& type, uint8_t typeByte,
                                                 uint8_t versionByte,
                                                 const std::vector<uint8_t>& settings,
                                                 const FaultActive& active) const {
  std::vector<uint8_t> block;
  if (fixedBlock_) {
    block = *fixedBlock_;
  } else {
    CurrentBlockSource source{&type, typeByte == kTypeByte10, versionByte, settings,
                              started_.msecsTo(Now()) / 1000.0};
    block = BuildCurrentBlock(source);
    for (const auto& [position, mask] : blockBits_)
      block.at(static_cast<size_t>(position - 1)) |= mask;
    const CurrentParamsLayout& layout = *FamilyOf(type).CurrentLayout;
    if (active(Fault::UnknownScheme))
      block[layout[SchemeCode] - 1] = kUnknownSchemeCode;
    if (active(Fault::BadBcdDigit))
      block[layout[HeatEnergy] - 1] = kBadBcdByte;
    SealBlock(block);
  }
  Corrupt(block, active);
  return block;
}

void CurrentValues::SettingsWritten() {
  lastWrite_ = Now();
}

void CurrentValues::SetBlockBits(int position, uint8_t mask) {
  blockBits_[position] |= mask;
}

void CurrentValues::ServeFixedBlock(std::vector<uint8_t> block) {
  fixedBlock_ = std::move(block);
}

std::vector<uint8_t> CurrentValues::LoadBlockFile(const QString& path) {
  const auto fail = [&](const QString& what) {
    throw std::runtime_error(
        QStringLiteral("current block file %1 %2").arg(path, what).toStdString());
  };
  QString reason;
  const std::optional<QByteArray> text = ReadInputFile(path, &reason);
  if (!text)
    fail(QStringLiteral("cannot be read: %1").arg(reason));
  const QList<QByteArray> lines = text->split('\n');
  if (lines.isEmpty() || lines[0].trimmed() != "vrx-sim current")
    fail(QStringLiteral("is not a vrx-sim current block file"));
  static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
  std::vector<uint8_t> block;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    if (!hex.match(QString::fromLatin1(line)).hasMatch())
      fail(QStringLiteral("line %1 is not hex").arg(i + 1));
    const QByteArray bytes = QByteArray::fromHex(line);
    block.insert(block.end(), bytes.begin(), bytes.end());
  }
  if (block.empty())
    fail(QStringLiteral("holds no block"));
  return block;
}

}  // namespace vrx::sim
