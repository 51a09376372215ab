#include "sim/PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace vrx::sim {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

uint32_t SpeedToBaud(speed_t speed) {
  switch (speed) {
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return 0;
  }
}

// What a receiver set to one speed makes of a byte sent at another: never the byte itself.
uint8_t Garbled(uint8_t byte) {
  return static_cast<uint8_t>(~byte);
}

}  // namespace

PtyLine::PtyLine(Instrument& instrument) : instrument_(instrument), devices_{&instrument} {
  // Close-on-exec: a program the process starts (a network serial server in front of the line)
  // must not keep the line's ends open.
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0)
    Fail("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0)
    Fail("grantpt");
  const char* name = ptsname(master_);
  if (name == nullptr)
    Fail("ptsname");
  slavePath_ = name;
  slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0)
    Fail("open slave");
  // Raw 8-N-1 at the instrument's speed until the tool sets its own: no echo, no line editing.
  termios tio{};
  if (tcgetattr(slave_, &tio) != 0)
    Fail("tcgetattr");
  cfmakeraw(&tio);
  const speed_t speed = instrument_.BaudRate() == 9600 ? B9600 : B4800;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  if (tcsetattr(slave_, TCSANOW, &tio) != 0)
    Fail("tcsetattr");
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
    Fail("pipe2");
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];
}

PtyLine::~PtyLine() {
  Stop();
  for (int fd : {master_.load(), slave_, wakeRead_, wakeWrite_}) {
    if (fd >= 0)
      ::close(fd);
  }
}

void PtyLine::Start() {
  if (thread_.joinable())
    return;
  stop_ = false;
  thread_ = std::thread([this] { Serve(stop_); });
}

void PtyLine::Stop() {
  if (!thread_.joinable())
    return;
  stop_ = true;
  const char wake = 1;
  [[maybe_unused]] ssize_t ignored = ::write(wakeWrite_, &wake, 1);
  thread_.join();
}

std::vector<uint8_t> PtyLine::LostBytes() const {
  std::lock_guard lock(lostMutex_);
  return lost_;
}

PtyLine::Clock::duration PtyLine::ByteTime(uint32_t baud) const {
  // Start bit, eight data bits, stop bit.
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(10'000'000'000LL / baud));
}

void PtyLine::Attach(Instrument& device) {
  devices_.insert(devices_.begin(), &device);
}

uint32_t PtyLine::LineSpeed() const {
  termios tio{};
  // On Linux the master side reports the settings the tool made on the slave side.
  if (tcgetattr(master_, &tio) != 0)
    return 0;
  return SpeedToBaud(cfgetospeed(&tio));
}

Instrument* PtyLine::Listener() const {
  termios tio{};
  if (tcgetattr(master_, &tio) != 0)
    return nullptr;
  const bool framing =
      (tio.c_cflag & CSIZE) == CS8 && (tio.c_cflag & PARENB) == 0 && (tio.c_cflag & CSTOPB) == 0;
  const uint32_t speed = SpeedToBaud(cfgetospeed(&tio));
  for (Instrument* device : devices_) {
    if (framing && device->BaudRate() == speed)
      return device;
  }
  return nullptr;
}

void PtyLine::HandleIncoming(const uint8_t* bytes, int count, Clock::time_point now) {
  Instrument* listener = Listener();
  const Clock::duration byteTime =
      ByteTime(listener ? listener->BaudRate() : instrument_.BaudRate());
  for (int i = 0; i < count; ++i) {
    rxFree_ = std::max(now, rxFree_) + byteTime;
    if (listener == nullptr) {
      std::lock_guard lock(lostMutex_);
      lost_.push_back(bytes[i]);
      continue;
    }
    const Reply reply = listener->OnByte(bytes[i]);
    txFree_ = std::max(txFree_, rxFree_);
    for (uint8_t b : reply.bytes) {
      txFree_ += byteTime;
      out_.push_back({txFree_, reply.atOtherSpeed ? Garbled(b) : b});
    }
  }
  sending_ = !out_.empty();
}

void PtyLine::Arm(LineFault fault, int afterBytes) {
  switch (fault) {
    case LineFault::HangUp:
      hangUpAfter_ = afterBytes;
      break;
  }
}

void PtyLine::HangUp() {
  // Every descriptor of the line goes, its own slave one included: only then does the system
  // hang up the tool's side.
  ::close(master_.exchange(-1));
  ::close(slave_);
  slave_ = -1;
  out_.clear();
  sending_ = false;
}

void PtyLine::WriteDue(Clock::time_point now) {
  while (!out_.empty() && out_.front().due <= now) {
    if (hangUpAfter_ == 0) {
      hangUpAfter_ = -1;
      HangUp();
      return;
    }
    if (hangUpAfter_ > 0)
      --hangUpAfter_;
    const uint8_t b = out_.front().byte;
    out_.pop_front();
    if (::write(master_, &b, 1) != 1 && errno != EAGAIN)
      return;
  }
  sending_ = !out_.empty();
}

void PtyLine::Serve(const std::atomic<bool>& stop) {
  constexpr auto kIdlePoll = std::chrono::milliseconds(100);
  uint8_t buffer[512];
  while (!stop) {
    auto now = Clock::now();
    WriteDue(now);
    if (master_ < 0)
      return;
    Clock::duration wait = kIdlePoll;
    if (!out_.empty())
      wait = std::max(Clock::duration::zero(), out_.front().due - now);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    timespec timeout{static_cast<time_t>(ns / 1'000'000'000),
                     static_cast<long>(ns % 1'000'000'000)};
    pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int ready = ppoll(fds, 2, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR)
        continue;
      return;
    }
    if (fds[1].revents & POLLIN) {
      char drain[16];
      while (::read(wakeRead_, drain, sizeof drain) > 0) {
      }
    }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0)
        HandleIncoming(buffer, static_cast<int>(n), Clock::now());
    }
  }
}

}  // namespace vrx::sim
