#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "link/PortNaming.h"

namespace vrx {

// What the command line of vrx-service asks for.
struct StartupOptions {
  static constexpr const char* kDefaultDemoType = "VRX-L13-2.2";
  // The port the demo instrument is reached through.
  static constexpr int kDemoPortNumber = 1;

  // Shows the tabs "Сервис", "Инициализация RQ" and "Текущие параметры RQ" (service staff).
  bool service = false;
  // Logs every byte on the line (logging category vrx.link).
  bool trace = false;
  // --trace-file FILE: every byte on the line, by exchange, appended to FILE; empty: none.
  QString traceFile;
  // The catalogue type of the emulated instrument; empty without --demo.
  QString demoType;
  // --com n=PATH, in the order given.
  std::vector<std::pair<int, QString>> ports;
  // Where the help file and the scheme pictures are looked for; empty: beside the program,
  // then the installed data folder.
  QStringList dataFolders;

  // Applies the --com mappings to a port naming.
  void ApplyPorts(PortNaming& naming) const;
};

// Parses the arguments after the program name:
//   --service  --trace  --demo [TYPE] | --demo=TYPE  --com n=PATH | --com=n=PATH
//   --trace-file FILE | --trace-file=FILE
// Returns nothing and sets *error for an unknown option or a malformed value.
std::optional<StartupOptions> ParseStartupOptions(const QStringList& arguments, QString* error);

QString StartupUsage();

}  // namespace vrx
