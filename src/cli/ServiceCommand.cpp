#include "cli/CliCommand.h"
#include "cli/DialogCommand.h"
#include "service/ServicePanel.h"

namespace vrx {

namespace {

// The terminal's messages, waiting for Enter after the request for the reference voltage as
// the window's information box waits for "OK".
class VoltagePromptMessages : public Messages {
 public:
  VoltagePromptMessages(Messages& inner, QTextStream& in, bool wait)
      : inner_(inner), in_(in), wait_(wait) {}

  int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                   const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                   int defaultIndex, const QStringList& buttons) override {
    const int answer =
        inner_.CustomDialog(kind, text, caption, font, colour, addCancel, defaultIndex, buttons);
    if (wait_ && text == QString::fromUtf8(lb::kSetVoltage))
      in_.readLine();
    return answer;
  }

 private:
  Messages& inner_;
  QTextStream& in_;
  bool wait_;
};

int Service(CliRun& run) {
  const QStringList& words = run.Words();
  const QString action = words.size() == 1 ? words[0] : QString();
  if (action != "exit-init" && action != "supply" && action != "lb-threshold")
    throw UsageError(QStringLiteral("expected exit-init, supply or lb-threshold"));
  if (run.IsSet("yes") && action != "lb-threshold")
    throw UsageError(QStringLiteral("--yes applies to lb-threshold only"));
  Connection& connection = run.Connect();
  ServiceCommands commands(connection);
  ConsoleMessages messages(run.out, run.err, false);
  if (action == "exit-init") {
    commands.ExitInitMode(messages);
  } else if (action == "supply") {
    run.out << QString::fromUtf8(commands.SupplyLow() ? ServicePanel::kLow : ServicePanel::kNormal)
            << '\n';
  } else {
    PcTimeStamp stamp(run.clock);
    PresetTimeConfirmation unused;  // the threshold is written without a time stamp
    VoltagePromptMessages prompt(messages, run.in, !run.IsSet("yes"));
    commands.SetLbThreshold({stamp, unused, prompt, run.IsSet("erase")});
  }
  return kExitDone;
}

}  // namespace

CliCommand ServiceCommand() {
  return {QStringLiteral("service"),
          QStringLiteral("service exit-init | supply | lb-threshold [--yes] [--erase]"),
          QStringLiteral(
              "The commands of the tab \"Сервис\":\n"
              "  exit-init     a VRX-L1 leaves initialization mode\n"
              "  supply        the supply check: prints \"Пониженное\" or \"Норма\"\n"
              "  lb-threshold  sets the LB threshold of a VRX-L3, VRX-L5 or VRX-L13 from the "
              "supply reading\n                at 3,2 V; waits for Enter after the request "
              "unless --yes; --erase erases the\n                archive with the write "
              "(command 0; otherwise 18)\n"),
          {QCommandLineOption(QStringLiteral("yes")), QCommandLineOption(QStringLiteral("erase"))},
          Service};
}

}  // namespace vrx
