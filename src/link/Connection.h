#pragma once

#include <memory>

#include "link/ComPort.h"
#include "link/ConnectionState.h"
#include "link/CursorControl.h"
#include "link/DeviceLink.h"
#include "link/InstrumentBuffer.h"
#include "link/LinkActivity.h"
#include "link/ModbusBuffer.h"
#include "link/ModbusLink.h"
#include "link/Pacer.h"
#include "link/PortNaming.h"
#include "link/SerialBackend.h"
#include "link/WriteJournal.h"

namespace vrx {

// Everything the tool talks to an instrument with, once per run: the serial port, what the last
// identification found, the instrument buffer, the Modbus frame buffer and the links over them,
// with the pacer that times every pause and the cursor that every exchange switches to waiting.
class Connection {
 public:
  // Paces and shows the cursor with the caller's objects (the window's, or a test's virtual
  // clock).
  Connection(Pacer& pacer, CursorControl& cursor, PortNaming naming = PortNaming(),
             std::unique_ptr<SerialBackend> backend = {});
  // Pauses in real time and shows no cursor: the companion, the benchmark, end-to-end tests.
  explicit Connection(PortNaming naming = PortNaming(),
                      std::unique_ptr<SerialBackend> backend = {});
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

 private:
  // Used only when the caller gives none; declared first so they exist before the references.
  RealPacer ownPacer_;
  PlainCursor ownCursor_;

 public:
  Pacer& pacer;
  CursorControl& cursor;
  TComPort port;
  // Every write of a block to the instrument is recorded here once a recorder is installed.
  WriteJournal journal;
  // Every step of the links below is reported here.
  LinkActivity activity;
  ConnectionState state;
  InstrumentBuffer buffer;
  DeviceLink link;
  ModbusBuffer modbusBuffer;
  ModbusLink modbus;
};

}  // namespace vrx
