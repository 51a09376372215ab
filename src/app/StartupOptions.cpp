#include "app/StartupOptions.h"

namespace vrx {

namespace {

// Splits "--name=value" into name and value; a plain "--name" has no value.
std::pair<QString, std::optional<QString>> SplitOption(const QString& argument) {
  const qsizetype eq = argument.indexOf('=');
  if (eq < 0)
    return {argument, std::nullopt};
  return {argument.left(eq), argument.mid(eq + 1)};
}

std::optional<std::pair<int, QString>> ParsePortMapping(const QString& text) {
  PortNaming probe(PortNaming::SettingLookup{});
  if (!probe.AddOverrideFromOption(text))
    return std::nullopt;
  const qsizetype eq = text.indexOf('=');
  return std::make_pair(text.left(eq).toInt(), text.mid(eq + 1));
}

}  // namespace

void StartupOptions::ApplyPorts(PortNaming& naming) const {
  for (const auto& [number, path] : ports)
    naming.SetOverride(number, path);
}

std::optional<StartupOptions> ParseStartupOptions(const QStringList& arguments, QString* error) {
  StartupOptions options;
  auto fail = [error](const QString& text) {
    if (error != nullptr)
      *error = text;
    return std::nullopt;
  };
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const auto [name, value] = SplitOption(arguments[i]);
    if (name == QLatin1String("--service") && !value) {
      options.service = true;
    } else if (name == QLatin1String("--trace") && !value) {
      options.trace = true;
    } else if (name == QLatin1String("--trace-file")) {
      if (value) {
        options.traceFile = *value;
      } else if (i + 1 < arguments.size()) {
        options.traceFile = arguments[++i];
      }
      if (options.traceFile.isEmpty())
        return fail(QStringLiteral("--trace-file needs a file"));
    } else if (name == QLatin1String("--demo")) {
      if (value) {
        if (value->isEmpty())
          return fail(QStringLiteral("--demo= needs a type"));
        options.demoType = *value;
      } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-')) {
        options.demoType = arguments[++i];
      } else {
        options.demoType = QString::fromLatin1(StartupOptions::kDefaultDemoType);
      }
    } else if (name == QLatin1String("--com")) {
      QString mapping;
      if (value) {
        mapping = *value;
      } else if (i + 1 < arguments.size()) {
        mapping = arguments[++i];
      } else {
        return fail(QStringLiteral("--com needs n=PATH"));
      }
      const auto port = ParsePortMapping(mapping);
      if (!port)
        return fail(QStringLiteral("--com needs n=PATH, not \"%1\"").arg(mapping));
      options.ports.push_back(*port);
    } else {
      return fail(QStringLiteral("unknown option \"%1\"").arg(arguments[i]));
    }
  }
  return options;
}

QString StartupUsage() {
  return QStringLiteral(
             "usage: vrx-service [--service] [--demo [TYPE]] [--com n=PATH]... [--trace] "
             "[--trace-file FILE]\n"
             "  --service     show the service tabs\n"
             "  --demo [TYPE] serve an emulated instrument (default %1) on COM1\n"
             "  --com n=PATH  open PATH for port COMn: a serial device, or a network serial server\n"
             "                rfc2217://HOST:PORT or tcp://HOST:PORT\n"
             "  --trace       log every byte on the line (logging category vrx.link)\n"
             "  --trace-file FILE  append every byte on the line to FILE, one exchange a line\n")
      .arg(QString::fromLatin1(StartupOptions::kDefaultDemoType));
}

}  // namespace vrx
