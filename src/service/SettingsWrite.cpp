#include "service/SettingsWrite.h"

#include "image/SettingsCheck.h"
#include "image/SettingsImage.h"

namespace vrx {

void SettingsWrite::Stamp(Connection& connection) const {
  stamp.StampHeatCalculatorTime(confirmation, connection.buffer, connection.state);
}

void SettingsWrite::WriteAndReport(Connection& connection, const QString& operation,
                                   const QString& done) const {
  connection.link.WriteSettings(eraseArchive, operation);
  messages.ShowInfo(done);
  CheckSettingsImage(SettingsImage(connection.buffer, connection.state), messages);
}

}  // namespace vrx
