#include "cli/ConsoleTimeConfirmation.h"

#include <QStringList>
#include <utility>

namespace vrx {

ConsoleTimeConfirmation::ConsoleTimeConfirmation(QTextStream& in, QTextStream& out, PcClock clock)
    : in_(in), out_(out), clock_(std::move(clock)) {}

bool ConsoleTimeConfirmation::ConfirmPcTime() {
  // As the clock dialog shows it.
  out_ << QStringLiteral("Проверьте время!\n")
       << clock_().toString(QStringLiteral("dd.MM.yy hh:mm:ss")) << '\n'
       << QStringLiteral("Это правильное время? ");
  out_.flush();
  const QString answer = in_.readLine().trimmed().toLower();
  static const QStringList yes{QStringLiteral("да"), QStringLiteral("д"), QStringLiteral("yes"),
                               QStringLiteral("y")};
  return yes.contains(answer);
}

}  // namespace vrx
