#pragma once

#include <QString>
#include <QStringList>

namespace vrx {

inline constexpr char kHelpFileName[] = "VRX_L.chm";

// The help topic F1 opens on a page of the main window: "VRX_L.chm::/0.htm" for
// "Инициализация VRX", "/3.htm" for "Сервис", "/4.htm" for "Текущие параметры", "/5.htm" for
// "Доп. интерфейс", "/rq-init.htm" and "/rq-current.htm" for the RQ-7 tabs.
QString HelpTopicOfPage(int pageIndex);

// The help topic F1 opens in a window other than the main one, by the window's form name (its
// objectName), e.g. "VRX_L.chm::/3.htm#rtc" for "RTCCorrectionForm1"; empty for a window the help
// has no section of.
QString HelpTopicOfForm(const QString& formName);

// A topic split into the help file's name and the page inside it ("/4.htm"); a topic without
// "::" names a page of the tool's own help file.
struct HelpTopic {
  QString file;
  QString page;
};
HelpTopic SplitHelpTopic(const QString& topic);

}  // namespace vrx
