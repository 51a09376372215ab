#include "sim/OpxAdapterLine.h"

#include <QByteArray>

namespace vrx::sim {

OpxAdapterLine::OpxAdapterLine(Instrument& instrument, std::function<int64_t()> nowMs)
    : instrument_(instrument), nowMs_(std::move(nowMs)) {}

bool OpxAdapterLine::Open(const QString& /*device*/, uint32_t baudRate, QString* /*reason*/) {
  baud_ = baudRate;
  return true;
}

void OpxAdapterLine::Close() {
  incoming_.clear();
}

int OpxAdapterLine::Read(uint8_t* buffer, int count, int timeoutMs) {
  Log("read " + std::to_string(count) + " " + std::to_string(timeoutMs));
  int got = 0;
  while (got < count && !incoming_.empty()) {
    buffer[got++] = incoming_.front();
    incoming_.pop_front();
  }
  return got;
}

bool OpxAdapterLine::Write(const uint8_t* buffer, int count) {
  for (int i = 0; i < count; ++i) {
    Log("write " + QByteArray(1, static_cast<char>(buffer[i])).toHex().toStdString() + " " +
        std::to_string(baud_));
    // A sleeping adapter passes nothing on; a byte at another speed is noise to the instrument.
    if (!awake_ || baud_ != instrument_.BaudRate())
      continue;
    const Reply reply = instrument_.OnByte(buffer[i]);
    if (!reply.atOtherSpeed)
      incoming_.insert(incoming_.end(), reply.bytes.begin(), reply.bytes.end());
  }
  return true;
}

bool OpxAdapterLine::PurgeInput() {
  incoming_.clear();
  return true;
}

bool OpxAdapterLine::SetRts(bool on) {
  Log(on ? "rts on" : "rts off");
  if (on) {
    rtsOnAt_ = nowMs_();
  } else if (rtsOnAt_ >= 0) {
    awake_ = awake_ || nowMs_() - rtsOnAt_ >= kWakePulseMs;
    rtsOnAt_ = -1;
  }
  return true;
}

void OpxAdapterLine::Log(const std::string& what) {
  events_.push_back(std::to_string(nowMs_()) + " " + what);
}

}  // namespace vrx::sim
