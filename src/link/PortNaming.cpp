#include "link/PortNaming.h"

#include <QSettings>

#include "link/GensioBackend.h"
#include "link/NetworkAddress.h"
#include "link/QtSerialBackend.h"
#include "link/ToolSettings.h"

namespace vrx {

PortNaming::PortNaming() : lookup_(&PortNaming::ReadPortSetting) {}

PortNaming::PortNaming(SettingLookup lookup) : lookup_(std::move(lookup)) {}

void PortNaming::SetOverride(int portNumber, const QString& device) {
  overrides_[portNumber] = device;
}

bool PortNaming::AddOverrideFromOption(const QString& option) {
  const qsizetype eq = option.indexOf('=');
  if (eq <= 0 || eq == option.size() - 1)
    return false;
  bool ok = false;
  const int n = option.left(eq).toInt(&ok);
  if (!ok || n < 1 || n > 255)
    return false;
  SetOverride(n, option.mid(eq + 1));
  return true;
}

QString PortNaming::Resolve(int portNumber) const {
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(portNumber);
#else
  if (auto it = overrides_.find(portNumber); it != overrides_.end())
    return it->second;
  if (lookup_) {
    const QString configured = lookup_(portNumber);
    if (!configured.isEmpty())
      return configured;
  }
  return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

QString PortNaming::ReadPortSetting(int portNumber) {
  QSettings settings = OpenToolSettings();
  return settings.value(PortSettingKey(portNumber)).toString();
}

QString PortNaming::PortSettingKey(int portNumber) {
  return QStringLiteral("Ports/COM%1").arg(portNumber);
}

std::unique_ptr<SerialBackend> PortNaming::BackendFor(const QString& device) {
  if (NetworkAddress::Names(device))
    return std::make_unique<GensioBackend>();
  return std::make_unique<QtSerialBackend>();
}

}  // namespace vrx
