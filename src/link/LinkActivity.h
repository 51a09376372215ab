#pragma once

#include <functional>
#include <utility>

namespace vrx {

// What the connection is about to do with the instrument. `Exchange` is any exchange; the other
// steps name the parts of an action the engineer can tell apart.
enum class LinkStep {
  Exchange,
  Identify,
  ReadSettings,
  WriteSettings,
  ReadUnitBlock,
  WriteUnitBlock,
  WakeOpx,
  ReadValues,
  ReadForwarded,
  ReadInterface,
  WriteInterface,
  ReadAdc,
  ReadPressureBlock,
  WritePressureBlock,
};

// Where the connection says, step by step, what it is doing: the window listens (its status
// line, its guard against input made while an action blocks it); nobody does in the companion.
class LinkActivity {
 public:
  using Listener = std::function<void(LinkStep)>;

  void Listen(Listener listener) { listener_ = std::move(listener); }
  void Report(LinkStep step) const {
    if (listener_)
      listener_(step);
  }

 private:
  Listener listener_;
};

}  // namespace vrx
