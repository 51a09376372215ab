#include "widgets/NumberEditSteps.h"

#include <algorithm>

namespace vrx {

namespace {

constexpr QChar kBackspace = QChar(0x08);

struct StepRule {
  qint64 unreadableUp;    // the value an unreadable text counts as before a step up
  qint64 unreadableDown;  // ... before a step down
  qint64 min;
  qint64 max;
};

QString Step(const QString& text, bool up, const StepRule& rule) {
  bool ok = false;
  // An integer of the text as it stands; anything beyond 32 bits is unreadable too.
  const int parsed = text.toInt(&ok);
  const qint64 value = ok ? parsed : (up ? rule.unreadableUp : rule.unreadableDown);
  return QString::number(std::clamp(value + (up ? 1 : -1), rule.min, rule.max));
}

}  // namespace

QString NumberEditInput(const QString& typed) {
  QString kept;
  for (const QChar c : typed) {
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == kBackspace)
      kept += c;
  }
  return kept;
}

QString DeviceNumberStep(const QString& text, bool up) {
  return Step(text, up, {-1, 1, 0, 65535});
}

QString NetworkAddressStep(const QString& text, bool up) {
  return Step(text, up, {0, 2, 1, 62});
}

}  // namespace vrx
