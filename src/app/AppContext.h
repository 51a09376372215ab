#pragma once

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

#include "link/ComPort.h"
#include "link/ConnectionState.h"
#include "link/CursorControl.h"
#include "link/DeviceLink.h"
#include "link/InstrumentBuffer.h"
#include "link/Pacer.h"
#include "model/Messages.h"

namespace vrx {

// Everything the tool has exactly one of during a run: the serial port, what the last
// identification found, the instrument buffer and the device link over them. The pacer, the
// cursor and the messages are the caller's; the context only refers to them. Views receive the
// context by reference, so a test can build as many independent ones as it needs.
class AppContext {
 public:
  // `settingsFile` empty means the tool's own per-user settings; tests pass an INI file.
  AppContext(Pacer& pacer, CursorControl& cursor, Messages& messages,
             PortNaming naming = PortNaming(), std::unique_ptr<SerialBackend> backend = {},
             QString settingsFile = {});
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  // Runs one user action: an error that escapes it is shown in the error box and the cursor is
  // put back as it was. Returns false when the action ended with an error.
  bool RunAction(const std::function<void()>& action);

  // Opens the persisted settings for the duration of the call.
  void WithSettings(const std::function<void(QSettings&)>& use) const;

  Pacer& pacer;
  CursorControl& cursor;
  Messages& messages;
  TComPort port;
  ConnectionState state;
  InstrumentBuffer buffer;
  DeviceLink link;

 private:
  QString settingsFile_;
};

}  // namespace vrx
