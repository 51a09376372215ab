#include <algorithm>

#include "cli/CliCommand.h"
#include "link/SerialDevices.h"

namespace vrx {

namespace {

// The ports the window offers.
constexpr int kWindowPorts = 4;

int Ports(CliRun& run) {
  // The port is opened only for the demo instrument, which exists from Connect on; a real device
  // is listed without being opened.
  PortNaming naming;
  const LineOptions& line = run.Line();
  if (!line.demoType.isEmpty())
    naming = run.Connect().port.Naming();
  else if (!line.portPath.isEmpty())
    naming.SetOverride(line.portNumber, line.portPath);

  for (const PortAssignment& port :
       PortAssignments(naming, std::max(kWindowPorts, line.portNumber))) {
    run.out << "COM" << port.portNumber << '\t' << port.device << '\t' << PresenceText(port)
            << '\n';
  }
  run.out << "\ndevice\tdescription\tmanufacturer\tusb_id\tserial\n";
  for (const SerialDevice& device : SystemSerialDevices()) {
    run.out << device.device << '\t' << device.description << '\t' << device.manufacturer << '\t'
            << UsbIds(device) << '\t' << device.serialNumber << '\n';
  }
  return kExitDone;
}

}  // namespace

CliCommand PortsCommand() {
  return {QStringLiteral("ports"),
          QStringLiteral("ports"),
          QStringLiteral(
              "Prints what COM1..COM4 (and the port of --com) resolve to, tab-separated, with\n"
              "\"есть\" or \"нет\" for whether the device is there now; then, after an empty line\n"
              "and a header, the serial devices of the system: device, description,\n"
              "manufacturer, USB vendor:product and serial number. Opens no port but the demo\n"
              "instrument's.\n"),
          {},
          Ports};
}

}  // namespace vrx
