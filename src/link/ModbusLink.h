#pragma once

#include <QByteArray>
#include <cstdint>

#include "link/ComPort.h"
#include "link/CursorControl.h"
#include "link/InstrumentBuffer.h"
#include "link/LinkActivity.h"
#include "link/ModbusBuffer.h"
#include "link/Pacer.h"
#include "link/WriteJournal.h"

namespace vrx {

// Modbus RTU to the additional interface module, over the same serial port as the direct link.
// The module listens at its own speed (SetInterfaceBaud, the tab's "Скорость обмена для
// интерфейса", 38400 baud until set), so every transaction reopens the port at that speed and,
// however it ends, opens it again on the same port number at the speed the port had when the
// transaction began (the link speed the window selected), with a read time-out of 2000 ms.
// The port must be open when a transaction starts; a closed port raises "COM-порт не открыт"
// before anything is touched, as every exchange of the direct link does.
//
// A reply is stored over the request: offsets 0 and 1 keep the request's address and function,
// offset 2 holds the byte count N, offsets 3 to N + 2 the data and then the reply's CRC, which is
// not checked (nor is the reply's address). A reply to function 16 has no byte count: its start
// address and quantity stand at offsets 2 to 5.
class ModbusLink {
 public:
  static constexpr uint32_t kDefaultInterfaceBaud = 38400;
  // The pause after every reopening of the port, at the module's speed and back at the link's.
  static constexpr int kSettlePauseMs = 200;

  ModbusLink(TComPort& port, ModbusBuffer& buffer, Pacer& pacer, CursorControl& cursor);

  void SetInterfaceBaud(uint32_t baud) { interfaceBaud_ = baud; }
  uint32_t InterfaceBaud() const { return interfaceBaud_; }

  // Sets all 256 bytes to 0, so that unused request bytes go out as 0.
  void ClearModbusBuffer();
  // CRC-16 of Modbus over the first `length` bytes of the buffer; its low byte is sent first.
  uint16_t ModbusCrc16(int length) const;
  // Appends the CRC to the request of `requestLength` bytes at the start of the buffer, sends it
  // and leaves the reply in the buffer. Exception replies are retried after 4000 ms, three
  // requests at most.
  void ModbusTransaction(int requestLength);

  // Function 0x11: the module's identification data.
  void ReadInterfaceId();
  // Function 0x03: the module's 35 settings registers (70 data bytes).
  void ReadInterfaceSettings();
  // Function 0x10: writes the 70 data bytes the caller placed at offsets 7 to 76 into the 35
  // settings registers and checks that the reply repeats start 0 and quantity 35; the journal
  // records it under `operation`.
  void WriteInterfaceSettings(const QString& operation);
  // Functions 0x50 and 0x51: the instrument's clock and current-parameters blocks, forwarded by
  // the module behind one leading byte.
  void ReadCurrentHeaderRS();
  void ReadCurrentBlockRS();

  // Copies the data of the last reply without its leading byte (N - 1 bytes) to the start of
  // the instrument buffer and returns how many bytes it copied. A block that would not fit is
  // refused with "Ошибка приемо/прередачи" and nothing is copied.
  int CopyForwardedBlock(InstrumentBuffer& target) const;

  // Every settings write goes through the journal from here on.
  void SetJournal(WriteJournal* journal) { journal_ = journal; }
  // Every step is reported there from here on.
  void SetActivity(const LinkActivity* activity) { activity_ = activity; }

 private:
  // The module's settings as read last, while no identification came between; read now when
  // there are none, keeping the request in the buffer.
  QByteArray SettingsBefore();

  void Exchange(int requestLength);
  void SendRequest(int requestLength);
  void ReturnToLinkSpeed(uint8_t portNumber, uint32_t linkBaud);
  void ShortRequest(uint8_t function);
  void Report(LinkStep step) const;

  TComPort& port_;
  ModbusBuffer& buffer_;
  Pacer& pacer_;
  CursorControl& cursor_;
  uint32_t interfaceBaud_ = kDefaultInterfaceBaud;
  // The function byte of the last reply as received (the buffer keeps the request's).
  uint8_t replyFunction_ = 0;
  WriteJournal* journal_ = nullptr;
  const LinkActivity* activity_ = nullptr;
  QByteArray lastSettings_;
};

}  // namespace vrx
