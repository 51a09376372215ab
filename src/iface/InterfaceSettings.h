#pragma once

#include "iface/InterfaceBlock.h"
#include "iface/InterfaceForm.h"
#include "link/ModbusLink.h"

namespace vrx {

// The tab "Доп. интерфейс" without its widgets: the values of its controls and its two buttons.
// The view mirrors Form() into its controls after every action and writes a user's edits back.
class InterfaceSettings {
 public:
  InterfaceSettings(ModbusLink& modbus, ModbusBuffer& buffer);

  InterfaceForm& Form() { return form_; }
  const InterfaceForm& Form() const { return form_; }

  // A change of cbRSSpeed: the Modbus link talks to the module at the new speed.
  void SetSpeedIndex(int index);

  // "Прочитать": identification, then the settings registers. On a failure the fields filled
  // before it keep their new values.
  void Read();
  // "Записать": the values are encoded first, so that a refused value stops the write before
  // anything is sent; then identification (a module that does not answer stops the write
  // there) and the write of the 35 registers with its reply check.
  void Write();
  // Writes a whole settings block as it is (a restore from the journal), after the
  // identification, as `operation` of the journal.
  void WriteBlock(const InterfaceBlock& block, const QString& operation);

 private:
  void ReadIdentification();

  ModbusLink& modbus_;
  ModbusBuffer& buffer_;
  InterfaceForm form_;
};

}  // namespace vrx
