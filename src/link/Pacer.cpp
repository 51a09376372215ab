#include "link/Pacer.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

namespace vrx {

void RealPacer::Wait(int ms) {
  if (ms > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void RealPacer::PumpMessages() {
  if (QCoreApplication::instance() == nullptr)
    return;
  QCoreApplication::processEvents(holdInput ? QEventLoop::ExcludeUserInputEvents |
                                                  QEventLoop::X11ExcludeTimers
                                            : QEventLoop::AllEvents);
}

}  // namespace vrx
