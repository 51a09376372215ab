#include "current/CurrentJson.h"

namespace vrx {

QJsonObject ToJson(const CurrentDisplay& display) {
  QJsonObject json;
  for (const QString& name : CurrentDisplay::Names()) {
    json.insert(
        name, display.Shown(name) ? QJsonValue(display[name].text) : QJsonValue(QJsonValue::Null));
  }
  json.insert(QStringLiteral("plColdWater"), display.valuePanelVisible && display.coldWaterVisible);
  return json;
}

}  // namespace vrx
