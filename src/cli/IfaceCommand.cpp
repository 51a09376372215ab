#include <QJsonDocument>

#include "cli/CliCommand.h"
#include "iface/InterfaceFormFile.h"
#include "iface/InterfaceSettings.h"
#include "model/FormFile.h"

namespace vrx {

namespace {

int SpeedIndex(const CliRun& run) {
  if (!run.IsSet("rs-baud"))
    return InterfaceForm().cbRSSpeed;
  const int index = InterfaceForm::SpeedItems().indexOf(run.Value("rs-baud"));
  if (index < 0)
    throw UsageError(QStringLiteral("--rs-baud expects 4800, 9600, 19200 or 38400"));
  return index;
}

int Iface(CliRun& run) {
  const QString action = run.Words().value(0);
  if (run.Words().size() != 1 || (action != "read" && action != "write"))
    throw UsageError(QStringLiteral("iface needs read or write"));
  const int speed = SpeedIndex(run);
  QJsonObject form;
  if (action == "write") {
    if (!run.IsSet("form"))
      throw UsageError(QStringLiteral("iface write needs --form FILE"));
    form = LoadFormFile(run.Value("form"));
  }
  Connection& connection = run.Connect();
  // The tab of the window without its widgets: the same "Прочитать" and "Записать".
  InterfaceSettings tab(connection.modbus, connection.modbusBuffer);
  tab.SetSpeedIndex(speed);
  tab.Read();
  if (action == "write") {
    ApplyForm(tab, form);
    tab.Write();
    return kExitDone;
  }
  run.out << QString::fromUtf8(QJsonDocument(ToForm(tab.Form())).toJson(QJsonDocument::Indented));
  return kExitDone;
}

}  // namespace

CliCommand IfaceCommand() {
  return {QStringLiteral("iface"),
          QStringLiteral("iface read|write [--form FILE] [--rs-baud 4800|9600|19200|38400]"),
          QStringLiteral(
              "The tab \"Доп. интерфейс\": talks to the additional interface module at --rs-baud "
              "(default 38400).\nread runs \"Прочитать\" and prints the tab as a JSON object "
              "keyed by the controls' form names.\nwrite runs \"Прочитать\", applies FILE (the "
              "same keys, all or some, as typed into the tab) and runs \"Записать\".\n"),
          {QCommandLineOption(QStringLiteral("form"), QString(), QStringLiteral("FILE")),
           QCommandLineOption(QStringLiteral("rs-baud"), QString(), QStringLiteral("BAUD"))},
          Iface};
}

}  // namespace vrx
