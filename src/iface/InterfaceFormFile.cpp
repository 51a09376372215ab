#include "iface/InterfaceFormFile.h"

namespace vrx {

namespace {

// A form being applied and the keys of it that the tab could not use.
struct Application {
  const QJsonObject& form;
  QStringList refused;
};

void ApplyText(Application& a, const QString& key, int maxLength, QString& text) {
  if (!a.form.contains(key))
    return;
  if (!a.form[key].isString())
    a.refused << key;
  else
    text = a.form[key].toString().left(maxLength);
}

void ApplyFlag(Application& a, const QString& key, bool& checked) {
  if (!a.form.contains(key))
    return;
  if (!a.form[key].isBool())
    a.refused << key;
  else
    checked = a.form[key].toBool();
}

}  // namespace

QJsonObject ToForm(const InterfaceForm& f) {
  return {{QStringLiteral("NetNumEdit"), f.NetNumEdit},
          {QStringLiteral("SerNumEdit"), f.SerNumEdit},
          {QStringLiteral("VRXTimeOutEdit"), f.VRXTimeOutEdit},
          {QStringLiteral("ObjIDEdit"), f.ObjIDEdit},
          {QStringLiteral("ModemStrEdit"), f.ModemStrEdit},
          {QStringLiteral("VersionEdit"), f.VersionEdit},
          {QStringLiteral("IspEdit"), f.IspEdit},
          {QStringLiteral("cbAutoSleep"), f.cbAutoSleep},
          {QStringLiteral("cbModemEnable"), f.cbModemEnable},
          {QStringLiteral("cbRSSpeed"), InterfaceForm::SpeedItems().at(f.cbRSSpeed)}};
}

QStringList ApplyForm(InterfaceSettings& tab, const QJsonObject& form) {
  Application a{form, {}};
  const QJsonObject known = ToForm(tab.Form());
  for (auto it = form.begin(); it != form.end(); ++it) {
    if (!known.contains(it.key()))
      a.refused << it.key();
  }
  // Applied to a copy: the tab takes the form whole or not at all.
  InterfaceForm f = tab.Form();
  // The edits without a stated limit take any length.
  constexpr int kAnyLength = -1;
  ApplyText(a, QStringLiteral("NetNumEdit"), InterfaceForm::kNetNumLength, f.NetNumEdit);
  ApplyText(a, QStringLiteral("SerNumEdit"), InterfaceForm::kSerNumLength, f.SerNumEdit);
  ApplyText(a, QStringLiteral("VRXTimeOutEdit"), kAnyLength, f.VRXTimeOutEdit);
  ApplyFlag(a, QStringLiteral("cbAutoSleep"), f.cbAutoSleep);
  ApplyText(a, QStringLiteral("ObjIDEdit"), InterfaceForm::kObjIdLength, f.ObjIDEdit);
  ApplyFlag(a, QStringLiteral("cbModemEnable"), f.cbModemEnable);
  ApplyText(a, QStringLiteral("ModemStrEdit"), InterfaceForm::kModemStrLength, f.ModemStrEdit);
  // Only displayed: a text as printed, never applied.
  QString shown;
  ApplyText(a, QStringLiteral("VersionEdit"), kAnyLength, shown);
  ApplyText(a, QStringLiteral("IspEdit"), kAnyLength, shown);
  const QString speedKey = QStringLiteral("cbRSSpeed");
  const int speed = InterfaceForm::SpeedItems().indexOf(form[speedKey].toString());
  if (form.contains(speedKey) && (!form[speedKey].isString() || speed < 0))
    a.refused << speedKey;
  if (!a.refused.isEmpty())
    return a.refused;
  tab.Form() = f;
  if (form.contains(speedKey))
    tab.SetSpeedIndex(speed);
  return a.refused;
}

}  // namespace vrx
