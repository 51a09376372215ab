#include "app/HelpFiles.h"

#include <iterator>
#include <utility>

namespace vrx {

namespace {

QString Topic(const char* page) {
  return QStringLiteral("%1::/%2").arg(QLatin1String(kHelpFileName), QLatin1String(page));
}

}  // namespace

QString HelpTopicOfPage(int pageIndex) {
  // In the order of the main window's pages.
  static const char* const kPages[] = {"0.htm", "3.htm",       "4.htm",
                                       "5.htm", "rq-init.htm", "rq-current.htm"};
  const bool known = pageIndex >= 0 && pageIndex < static_cast<int>(std::size(kPages));
  return Topic(known ? kPages[pageIndex] : kPages[0]);
}

QString HelpTopicOfForm(const QString& formName) {
  static const std::pair<const char*, const char*> kForms[] = {
      {"RTCCorrectionForm1", "3.htm#rtc"},
      {"TicksCorrectionForm", "3.htm#ticks"},
      {"CountersForm", "3.htm#counters"},
      {"TFormCalibrTempr", "calibration.htm#temp"},
      {"TformCalibrPressure", "calibration.htm#pressure"},
      {"ClockVerifyForm", "0.htm#clock"},
      {"fmJournal", "journal.htm"},
      {"PortsForm", "ports.htm"},
      {"MessageForm", "messages.htm"},
      {"SchemePictureForm", "schemes.htm"},
  };
  for (const auto& [form, page] : kForms) {
    if (formName == QLatin1String(form))
      return Topic(page);
  }
  return {};
}

HelpTopic SplitHelpTopic(const QString& topic) {
  const qsizetype separator = topic.indexOf(QStringLiteral("::"));
  if (separator < 0)
    return {QString::fromLatin1(kHelpFileName), topic};
  return {topic.left(separator), topic.mid(separator + 2)};
}

}  // namespace vrx
