#include "cli/CliCommand.h"

namespace vrx {

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> commands = {
      IdentifyCommand(),
      SettingsCommand(),
      InitCommand(),
      RqIdentifyCommand(),
  };
  return commands;
}

}  // namespace vrx
