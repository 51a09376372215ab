#include "rq7/Rq7Form.h"

#include <QJsonValue>

namespace vrx {

namespace {

constexpr int kTrackBarLimit = 20;
constexpr int kAddressChars = 2;
constexpr int kNumberChars = 5;
constexpr int kDefaultPulseItem = 1;

bool FitsMask(const QString& text, const QString& mask) {
  if (text.size() != mask.size())
    return false;
  for (int i = 0; i < mask.size(); ++i) {
    const bool digit = mask[i] == QLatin1Char('0');
    if (digit ? !text[i].isDigit() || text[i].unicode() > '9' : text[i] != mask[i])
      return false;
  }
  return true;
}

bool IsTestBox(const QString& name) {
  for (const char* box : kTestBoxNames) {
    if (name == QLatin1String(box))
      return true;
  }
  return false;
}

const Rq7MaskedField* MaskedField(const QString& name) {
  for (const Rq7MaskedField& field : Rq7MaskedFields()) {
    if (name == QLatin1String(field.name))
      return &field;
  }
  return nullptr;
}

// Whether `value` may go into the text control `name`; every text control of the tab is known.
bool TextFits(const QString& name, const QString& value) {
  if (const Rq7MaskedField* field = MaskedField(name))
    return FitsMask(value, QString::fromLatin1(field->mask));
  if (name == QLatin1String("cbPW1") || name == QLatin1String("cbPW2"))
    return PulseValueItems().contains(value);
  for (const char* group : kRq7GroupNames) {
    if (name == QLatin1String(group))
      return ErrorGroupItems().contains(value);
  }
  if (name == QLatin1String("DevRQAddrEdit"))
    return value.size() <= kAddressChars;
  if (name == QLatin1String("DevRQNoEdit"))
    return value.size() <= kNumberChars;
  return name == QLatin1String("meV1l") || name == QLatin1String("meV2l") ||
         name == QLatin1String("meV1h") || name == QLatin1String("meV2h");
}

}  // namespace

const QList<Rq7MaskedField>& Rq7MaskedFields() {
  static const QList<Rq7MaskedField> fields = {
      {"RQWTimeEdit", "00000:00", "00000:00", 5},
      {"WTime1Edit", "00000:00", "00000:00", 9},
      {"WTime2Edit", "00000:00", "00000:00", 13},
      {"ETime1Edit", "00000:00", "00000:00", 17},
      {"ETime2Edit", "00000:00", "00000:00", 21},
      {"meV1", "00000000,0000", "00000000,0000", 25},
      {"meV2", "00000000,0000", "00000000,0000", 31},
      {"meAl1", "00:00", "00:00", 37},
      {"meAl2", "00:00", "00:00", 39},
      {"meV1ll", "000,000", "000,000", 60},
      {"meV1hl", "000,000", "000,000", 63},
      {"meV2ll", "000,000", "000,000", 66},
      {"meV2hl", "000,000", "000,000", 69},
  };
  return fields;
}

const QStringList& PulseValueItems() {
  static const QStringList items = {"0,00005", "0,0001", "0,0005", "0,001", "0,005",
                                    "0,01",    "0,05",   "0,1",    "0,5",   "1"};
  return items;
}

const QStringList& ErrorGroupItems() {
  static const QStringList items = {"Выкл", "Акт - 0", "Акт - 1"};
  return items;
}

QString EffectBoxName(const char* row, int error, int group) {
  return QStringLiteral("%1%2%3").arg(QLatin1String(row)).arg(error).arg(group);
}

bool EffectBoxEnabled(const QString& name) {
  static const QStringList enabled = [] {
    QStringList names;
    for (int e = 1; e <= 5; ++e) {
      names << EffectBoxName("cbOut", e, 1) << EffectBoxName("cbte", e, 1)
            << EffectBoxName("cbVt", e, 1);
    }
    for (int e = 1; e <= 4; ++e)
      names << EffectBoxName("cbOut", e, 2) << EffectBoxName("cbt2e", e, 2)
            << EffectBoxName("cbV2t", e, 2);
    names << "cbOut52"
          << "cbt2e51"
          << "cbV2t51";
    return names;
  }();
  return enabled.contains(name) && name != QLatin1String("cbVt11") &&
         name != QLatin1String("cbV2t12");
}

Rq7InitForm DefaultRq7Form() {
  Rq7InitForm form;
  for (const Rq7MaskedField& field : Rq7MaskedFields())
    form.texts[QString::fromLatin1(field.name)] = QString::fromLatin1(field.defaultText);
  for (const char* name : {"meV1l", "meV2l", "meV1h", "meV2h"})
    form.texts[QString::fromLatin1(name)] = QStringLiteral("0");
  form.texts[QStringLiteral("DevRQAddrEdit")] = QStringLiteral("1");
  form.texts[QStringLiteral("DevRQNoEdit")] = QStringLiteral("1");
  for (const char* list : kRq7ListNames)
    form.texts[QString::fromLatin1(list)] = PulseValueItems()[kDefaultPulseItem];
  for (const char* group : kRq7GroupNames)
    form.texts[QString::fromLatin1(group)] = ErrorGroupItems()[0];
  for (const char* row : kEffectRows) {
    for (int e = 1; e <= 5; ++e) {
      for (int g = 1; g <= 2; ++g)
        form.checks[EffectBoxName(row, e, g)] = false;
    }
  }
  form.checks[QStringLiteral("cbVt11")] = true;
  form.checks[QStringLiteral("cbV2t12")] = true;
  for (const char* name : kTestBoxNames)
    form.checks[QString::fromLatin1(name)] = false;
  form.TrackBar1 = 0;
  form.texts[QStringLiteral("l1")] = TrackBarCaption(0);
  return form;
}

QString TrackBarCaption(int position) {
  return QString::number(position) + QStringLiteral(" сек/сутки");
}

QJsonObject Rq7FormToJson(const Rq7InitForm& form) {
  QJsonObject json;
  for (auto it = form.texts.begin(); it != form.texts.end(); ++it)
    json.insert(it.key(), it.value());
  for (auto it = form.checks.begin(); it != form.checks.end(); ++it)
    json.insert(it.key(), it.value());
  json.insert(QStringLiteral("TrackBar1"), form.TrackBar1);
  return json;
}

QStringList ApplyRq7Json(Rq7InitForm& form, const QJsonObject& json) {
  QStringList refused;
  for (auto it = json.begin(); it != json.end(); ++it) {
    const QString& name = it.key();
    const QJsonValue& value = it.value();
    if (name == QLatin1String("TrackBar1")) {
      const int position = value.toInt(kTrackBarLimit + 1);
      if (!value.isDouble() || position != value.toDouble() || position < -kTrackBarLimit ||
          position > kTrackBarLimit) {
        refused << name;
        continue;
      }
      form.TrackBar1 = position;
      form.texts[QStringLiteral("l1")] = TrackBarCaption(position);
    } else if (form.checks.contains(name)) {
      if (!value.isBool())
        refused << name;
      else if (EffectBoxEnabled(name) || IsTestBox(name))
        form.checks[name] = value.toBool();
    } else if (name == QLatin1String("l1")) {
      // The caption follows the track bar; a form may carry it as printed.
    } else if (!form.texts.contains(name) || !value.isString() ||
               !TextFits(name, value.toString())) {
      refused << name;
    } else {
      form.texts[name] = value.toString();
    }
  }
  return refused;
}

}  // namespace vrx
