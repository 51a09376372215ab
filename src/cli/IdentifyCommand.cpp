#include "cli/CliCommand.h"
#include "cli/HexText.h"

namespace vrx {

namespace {

QString Flag(bool value) {
  return value ? QStringLiteral("1") : QStringLiteral("0");
}

int Identify(CliRun& run) {
  Connection& connection = run.Connect();
  connection.link.IdentifyDevice();
  const ConnectionState& state = connection.state;
  run.out << "type=" << state.DeviceType->Name << '\n'
          << "type_index=" << state.TypeIndex << '\n'
          << "family_code=" << int(state.Family->Code) << '\n'
          << "version_byte=" << HexByte(state.VersionByte) << '\n'
          << "sub_version=" << int(state.SubVersion) << '\n'
          << "supports_pmax=" << Flag(state.SupportsPmax) << '\n'
          << "low_type_code=" << Flag(state.LowTypeCode) << '\n'
          << "type_byte10=" << Flag(state.TypeByte10) << '\n';
  return kExitDone;
}

int RqIdentify(CliRun& run) {
  Connection& connection = run.Connect();
  connection.link.IdentifyInterfaceUnit();
  run.out << "sub_version=" << int(connection.state.SubVersion) << '\n';
  return kExitDone;
}

}  // namespace

CliCommand IdentifyCommand() {
  return {QStringLiteral("identify"),
          QStringLiteral("identify"),
          QStringLiteral("Identifies the heat calculator and prints type, type_index, "
                         "family_code, version_byte,\nsub_version, supports_pmax, low_type_code "
                         "and type_byte10, one key=value line each.\n"),
          {},
          Identify};
}

CliCommand RqIdentifyCommand() {
  return {QStringLiteral("rq-identify"),
          QStringLiteral("rq-identify"),
          QStringLiteral("Identifies an RQ-7 unit and prints sub_version=N.\n"),
          {},
          RqIdentify};
}

}  // namespace vrx
