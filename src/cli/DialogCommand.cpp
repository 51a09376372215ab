#include "cli/DialogCommand.h"

#include <QJsonDocument>

#include "model/FormFile.h"

namespace vrx {

namespace {

bool WritingSubcommand(const CliRun& run) {
  const QStringList& words = run.Words();
  if (words.size() != 1 || (words[0] != "read" && words[0] != "write"))
    throw UsageError(QStringLiteral("expected read or write"));
  if (words[0] == "read" && run.IsSet("form"))
    throw UsageError(QStringLiteral("--form applies to write only"));
  if (words[0] == "write" && !run.IsSet("form"))
    throw UsageError(QStringLiteral("write needs --form FILE"));
  return words[0] == "write";
}

}  // namespace

DialogCommand::DialogCommand(CliRun& run)
    : run_(run),
      writing_(WritingSubcommand(run)),
      form_(writing_ ? LoadFormFile(run.Value("form")) : QJsonObject()),
      connection_(run.Connect()),
      stamp_(run.clock),
      asked_(run.in, run.out, run.clock),
      messages_(run.out, run.err, false) {}

SettingsWrite DialogCommand::Write() {
  PcTimeConfirmation& confirmation =
      run_.IsSet("time-ok") ? static_cast<PcTimeConfirmation&>(preset_) : asked_;
  return {stamp_, confirmation, messages_, run_.IsSet("erase")};
}

int DialogCommand::Print(const QJsonObject& dialog) {
  run_.out << QString::fromUtf8(QJsonDocument(dialog).toJson(QJsonDocument::Indented));
  return kExitDone;
}

QString DialogCommandDescription(const QString& what, const QString& keys) {
  return QStringLiteral("read: prepares the dialog \"") + what +
         QStringLiteral(
             "\" as showing it does, runs \"Считать\" and prints the\ndialog as a form (") +
         keys +
         QStringLiteral(
             ").\nwrite: the same, then applies FILE (those keys, all or some) and runs "
             "\"Записать\".\n"
             "  --form FILE  the values to write\n"
             "  --time-ok    the PC time is right (otherwise it is asked on the terminal)\n"
             "  --erase      erase the archive (command 0; otherwise 18)\n");
}

QList<QCommandLineOption> DialogCommandOptions() {
  return {QCommandLineOption(QStringLiteral("form"), QString(), QStringLiteral("FILE")),
          QCommandLineOption(QStringLiteral("erase")),
          QCommandLineOption(QStringLiteral("time-ok"))};
}

}  // namespace vrx
