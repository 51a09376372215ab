#include "sim/Rq7Unit.h"

#include <QString>
#include <algorithm>

#include "model/NumberHelpers.h"

namespace vrx::sim {

namespace {

constexpr uint8_t kEndReading = 13;
constexpr uint8_t kAdapterFirst = 0x80;
constexpr uint8_t kOtherUnitCode = 0xF0;
constexpr uint8_t kBadBcd = 0x9A;
constexpr uint8_t kForwardClock = 0x50;
constexpr uint8_t kForwardValues = 0x51;

// The unit's fixed flows: 12,345 and 8,20 m3/h, as raw values with their decimal places.
constexpr uint32_t kFlow1 = 12345;
constexpr uint32_t kFlow2 = 820;
constexpr uint8_t kFlowDecimals = 0x23;  // channel 1: 3 places, channel 2: 2 places
constexpr int64_t kFlow1Per100000 = 1234500;
constexpr int64_t kFlow2Per100000 = 820000;

// A block as a unit fresh from the factory holds it: address 1, number 1, pulse value 0,001,
// flows from 1 to 100 m3/h, the always-set bits of error 1 and no clock correction.
std::vector<uint8_t> FactoryBlock() {
  std::vector<uint8_t> block(Rq7Unit::kBlockLength, 0);
  block[41] = 1;
  block[42] = 1;
  block[44] = 3;
  block[45] = 3;
  block[48] = 0x01;
  block[51] = 0x01;
  block[52] = 0xE8;  // 1000 thousandths
  block[53] = 0x03;
  block[54] = 0xE8;
  block[55] = 0x03;
  block[56] = 100;
  block[58] = 100;
  block[72] = 0x40;
  return block;
}

// The decimal value of a BCD field; a digit above 9 counts as 9 (the tool, not the emulator,
// is the one to refuse it).
int64_t BcdValue(const uint8_t* field, int digits) {
  int64_t value = 0;
  for (int i = digits - 1; i >= 0; --i) {
    const int nibble = (i % 2 == 0) ? field[i / 2] & 0x0F : field[i / 2] >> 4;
    value = value * 10 + std::min(nibble, 9);
  }
  return value;
}

void PutBcd(int64_t value, int digits, uint8_t* dest) {
  QString text = QString::number(value).rightJustified(digits, QLatin1Char('0'));
  StrToBcd(text.right(digits), dest);
}

void PutFlow(uint32_t raw, uint8_t* dest) {
  dest[0] = raw & 0xFF;
  dest[1] = (raw >> 8) & 0xFF;
  dest[2] = (raw >> 16) & 0xFF;
}

// Minutes byte, then 6 digits of hours, from a total in minutes.
void PutTime(int64_t minutes, uint8_t* dest) {
  dest[0] = ByteToBcd(static_cast<int>(minutes % 60));
  PutBcd(minutes / 60, 6, dest + 1);
}

// A time field of the settings block: 5 digits of hours and 2 of minutes.
int64_t SettingsMinutes(const uint8_t* field) {
  const int64_t v = BcdValue(field, 7);
  return (v / 100) * 60 + v % 100;
}

void PutChecksum(std::vector<uint8_t>& block) {
  uint16_t sum = 0;
  for (size_t i = 0; i + 2 < block.size(); ++i)
    sum = static_cast<uint16_t>(sum + block[i]);
  block[block.size() - 2] = static_cast<uint8_t>(sum >> 8);
  block[block.size() - 1] = static_cast<uint8_t>(sum & 0xFF);
}

}  // namespace

Rq7Unit::Rq7Unit(const Rq7UnitConfig& config)
    : ByteProtocolInstrument(config.baudRate, FactoryBlock()),
      subVersionByte_(config.subVersionByte),
      clock_(config.clock) {
  since_ = Now();
}

int Rq7Unit::InitModeExits() const {
  std::scoped_lock lock(mutex_);
  return initModeExits_;
}

void Rq7Unit::SetActiveErrors(uint8_t first, uint8_t second) {
  std::scoped_lock lock(mutex_);
  errors_ = {first, second};
}

std::vector<uint8_t> Rq7Unit::ClockBlock() const {
  std::scoped_lock lock(mutex_);
  return BuildClock(false);
}

std::vector<uint8_t> Rq7Unit::ValuesBlock() const {
  std::scoped_lock lock(mutex_);
  return BuildValues();
}

QDateTime Rq7Unit::Now() const {
  return clock_ ? clock_() : QDateTime::currentDateTime();
}

std::vector<uint8_t> Rq7Unit::AnswerCommand(uint8_t command) {
  switch (command) {
    case kIdentify:
      return {kUnitCode, subVersionByte_};
    case kLeaveInitMode:
      ++initModeExits_;
      return {};
    case kClockBlock: {
      std::vector<uint8_t> block = BuildClock(Active(Fault::UnknownFamily));
      ApplyContentFaults(block, 0);
      return block;
    }
    case kValuesBlock: {
      std::vector<uint8_t> block = BuildValues();
      ApplyContentFaults(block, 7);
      return block;
    }
    case kEndReading:
    case kAdapterFirst:
    default:
      return {};
  }
}

void Rq7Unit::ApplyContentFaults(std::vector<uint8_t>& block, int minutesOffset) const {
  if (Active(Fault::BadBcdDigit)) {
    block[minutesOffset] = kBadBcd;
    PutChecksum(block);
  }
  if (Active(Fault::WrongChecksum))
    block.back() ^= 0x01;
}

void Rq7Unit::BlockTaken() {
  // The unit keeps the stamp of the write as the time of its last initialization and counts
  // on from the written values.
  ImageRestored();
  since_ = Now();
}

void Rq7Unit::ImageRestored() {
  // A kept block still carries the stamp of the write that made it.
  std::copy_n(HeldImage().begin(), lastInit_.size(), lastInit_.begin());
}

std::vector<uint8_t> Rq7Unit::ForwardedBlock(uint8_t function) {
  if (function == kForwardClock)
    return BuildClock(false);
  if (function == kForwardValues)
    return BuildValues();
  return {};
}

std::vector<uint8_t> Rq7Unit::BuildClock(bool otherType) const {
  const QDateTime now = Now();
  std::vector<uint8_t> block(kClockLength, 0);
  block[0] = ByteToBcd(now.time().minute());
  block[1] = ByteToBcd(now.time().hour());
  block[2] = ByteToBcd(now.date().day());
  block[3] = ByteToBcd(now.date().month());
  block[4] = ByteToBcd(now.date().year() % 100);
  std::copy(lastInit_.begin(), lastInit_.end(), block.begin() + 5);
  block[10] = otherType ? kOtherUnitCode : kUnitCode;
  PutChecksum(block);
  return block;
}

std::vector<uint8_t> Rq7Unit::BuildValues() const {
  const std::vector<uint8_t>& s = HeldImage();
  const int64_t ran = std::max<int64_t>(0, since_.secsTo(Now()) / 60);
  std::vector<uint8_t> block(kValuesLength, 0);
  PutFlow(kFlow1, &block[0]);
  PutFlow(kFlow2, &block[3]);
  block[6] = kFlowDecimals;
  PutTime(SettingsMinutes(&s[5]) + ran, &block[7]);
  PutTime(SettingsMinutes(&s[9]) + ran, &block[11]);
  PutTime(SettingsMinutes(&s[13]) + ran, &block[15]);
  PutTime(SettingsMinutes(&s[17]), &block[19]);
  PutTime(SettingsMinutes(&s[21]), &block[23]);
  // Settings volumes have 4 decimals, the values block 5.
  PutBcd(BcdValue(&s[25], 12) * 10 + kFlow1Per100000 * ran / 60, 11, &block[27]);
  PutBcd(BcdValue(&s[31], 12) * 10 + kFlow2Per100000 * ran / 60, 11, &block[33]);
  block[39] = s[37];  // alarm start: minutes, hours
  block[40] = s[38];
  block[41] = s[39];
  block[42] = s[40];
  block[43] = s[41];
  block[44] = s[42];
  block[45] = s[43];
  block[46] = s[44];
  block[47] = s[45];
  block[75] = errors_[0];
  block[76] = errors_[1];
  PutChecksum(block);
  return block;
}

}  // namespace vrx::sim
