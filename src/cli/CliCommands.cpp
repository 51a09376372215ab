#include "cli/CliCommand.h"

namespace vrx {

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> commands = {
      IdentifyCommand(),  SettingsCommand(),   InitCommand(),     CurrentCommand(),
      RtcCommand(),       TicksCommand(),      CountersCommand(), ServiceCommand(),
      CalibrateCommand(), RqIdentifyCommand(), IfaceCommand(),    RqCommand(),
      JournalCommand(),   PortsCommand(),
  };
  return commands;
}

}  // namespace vrx
