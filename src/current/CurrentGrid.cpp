#include "current/CurrentGrid.h"

namespace vrx {

const std::vector<std::pair<QString, QString>>& CaptionedTexts() {
  static const std::vector<std::pair<QString, QString>> texts = {
      {QStringLiteral("Внутреннее время RTC:"), QStringLiteral("stRTC")},
      {QStringLiteral("Дата и время последней инициализации:"), QStringLiteral("stIniRTC")},
      {QStringLiteral("Тип прибора:"), QStringLiteral("stVRXType")},
      {QStringLiteral("№ изм. схемы:"), QStringLiteral("stScheme")},
      {QStringLiteral("Зав. № :"), QStringLiteral("stNumber")},
      {QStringLiteral("Сетевой адрес:"), QStringLiteral("stAddr")},
      {QStringLiteral("Статус:"), QStringLiteral("stStatus")},
      {QStringLiteral("W100"), QStringLiteral("stW100")},
      {QStringLiteral("Тип входа:"), QStringLiteral("stOutType")},
  };
  return texts;
}

QString ShownText(const CurrentDisplay& display, const QString& name) {
  return display.Shown(name) ? display[name].text : QString();
}

QList<QStringList> ShownGrid(const CurrentDisplay& display) {
  QList<int> channels;
  QStringList header{QString()};
  for (int k = 1; k <= 5; ++k) {
    const QString label = QStringLiteral("lbChannel%1").arg(k);
    if (display.Shown(label)) {
      channels << k;
      header << display[label].text;
    }
  }
  QList<QStringList> lines{header};
  for (const CurrentDisplay::Row& row : CurrentDisplay::Rows()) {
    if (!display.Shown(row.label))
      continue;
    QStringList line{display[row.label].text};
    for (int k : channels) {
      const QString& cell = row.cells[k - 1];
      line << (cell.isEmpty() ? QString() : ShownText(display, cell));
    }
    lines << line;
  }
  return lines;
}

}  // namespace vrx
