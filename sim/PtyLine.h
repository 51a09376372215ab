#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/Faults.h"
#include "sim/Instrument.h"

namespace vrx::sim {

// Puts an emulated instrument on the master side of a pseudo-terminal. The tool opens the slave
// side like any serial port. The line behaves like a real one: a byte takes 10 bit times at the
// instrument's speed to cross, bytes sent at another speed than the instrument listens at are
// lost, and the reply is paced byte by byte. The line keeps a slave descriptor of its own open, so
// the tool can close and reopen the port without hanging up.
class PtyLine {
 public:
  explicit PtyLine(Instrument& instrument);
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  // Puts another device on the same line, e.g. an interface module listening at a speed of its
  // own. While the line runs at a speed that several devices listen at, the one attached last
  // owns it and the others hear nothing. Call before Start.
  void Attach(Instrument& device);

  // The device the tool opens, e.g. /dev/pts/3.
  const std::string& SlavePath() const { return slavePath_; }

  // Serves in a thread of its own until Stop or destruction.
  void Start();
  void Stop();
  // Serves in the calling thread until `stop` becomes true.
  void Serve(const std::atomic<bool>& stop);

  // LineFault::HangUp: after `afterBytes` more bytes have gone out to the tool, the line closes
  // its end of the pseudo-terminal and stops serving; the tool's reads fail from then on and the
  // slave device disappears.
  void Arm(LineFault fault, int afterBytes);

  // Bytes the tool sent that no device could hear (wrong line speed or framing).
  std::vector<uint8_t> LostBytes() const;
  // The speed the tool last set on the line (0 for a speed the line does not know).
  uint32_t LineSpeed() const;
  // Whether a reply still has bytes to go out to the tool; tests wait for the line to fall
  // quiet instead of sleeping.
  bool Sending() const { return sending_; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Pending {
    Clock::time_point due;
    uint8_t byte;
  };

  void HandleIncoming(const uint8_t* bytes, int count, Clock::time_point now);
  void WriteDue(Clock::time_point now);
  // The device that hears the line at its present speed and framing, or none.
  Instrument* Listener() const;
  Clock::duration ByteTime(uint32_t baud) const;
  void HangUp();

  Instrument& instrument_;
  std::vector<Instrument*> devices_;  // the one attached last first
  // Atomic: a hang-up closes it in the serving thread while LineSpeed may read it in another.
  std::atomic<int> master_{-1};
  int slave_ = -1;
  // Bytes still to go out before the armed hang-up; negative while none is armed.
  std::atomic<int> hangUpAfter_{-1};
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  std::string slavePath_;
  std::thread thread_;
  std::atomic<bool> stop_{false};

  // Times at which the two directions of the line are free again.
  Clock::time_point rxFree_{};
  Clock::time_point txFree_{};
  std::deque<Pending> out_;
  // Whether out_ holds bytes, for the other threads (out_ belongs to the serving thread).
  std::atomic<bool> sending_{false};

  mutable std::mutex lostMutex_;
  std::vector<uint8_t> lost_;
};

}  // namespace vrx::sim
