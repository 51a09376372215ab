#include "link/Connection.h"

#include <utility>

namespace vrx {

Connection::Connection(Pacer& pacer, CursorControl& cursor, PortNaming naming,
                       std::unique_ptr<SerialBackend> backend)
    : pacer(pacer),
      cursor(cursor),
      port(std::move(naming), std::move(backend)),
      journal(port),
      link(port, state, buffer, pacer, cursor),
      modbus(port, modbusBuffer, pacer, cursor) {
  link.SetJournal(&journal);
  modbus.SetJournal(&journal);
  link.SetActivity(&activity);
  modbus.SetActivity(&activity);
}

Connection::Connection(PortNaming naming, std::unique_ptr<SerialBackend> backend)
    : Connection(ownPacer_, ownCursor_, std::move(naming), std::move(backend)) {}

}  // namespace vrx
