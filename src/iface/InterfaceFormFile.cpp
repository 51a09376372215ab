#include "iface/InterfaceFormFile.h"

#include "model/Errors.h"

namespace vrx {

namespace {

EOwned BadValue(const QString& key) {
  return EOwned(QStringLiteral("Недопустимое значение \"%1\" в файле формы").arg(key));
}

void ApplyText(const QJsonObject& form, const QString& key, int maxLength, QString& text) {
  if (!form.contains(key))
    return;
  if (!form[key].isString())
    throw BadValue(key);
  text = form[key].toString().left(maxLength);
}

void ApplyFlag(const QJsonObject& form, const QString& key, bool& checked) {
  if (!form.contains(key))
    return;
  if (!form[key].isBool())
    throw BadValue(key);
  checked = form[key].toBool();
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

void ApplyForm(InterfaceSettings& tab, const QJsonObject& form) {
  InterfaceForm& f = tab.Form();
  // The edits without a stated limit take any length.
  constexpr int kAnyLength = -1;
  ApplyText(form, QStringLiteral("NetNumEdit"), InterfaceForm::kNetNumLength, f.NetNumEdit);
  ApplyText(form, QStringLiteral("SerNumEdit"), InterfaceForm::kSerNumLength, f.SerNumEdit);
  ApplyText(form, QStringLiteral("VRXTimeOutEdit"), kAnyLength, f.VRXTimeOutEdit);
  ApplyFlag(form, QStringLiteral("cbAutoSleep"), f.cbAutoSleep);
  ApplyText(form, QStringLiteral("ObjIDEdit"), InterfaceForm::kObjIdLength, f.ObjIDEdit);
  ApplyFlag(form, QStringLiteral("cbModemEnable"), f.cbModemEnable);
  ApplyText(form, QStringLiteral("ModemStrEdit"), InterfaceForm::kModemStrLength, f.ModemStrEdit);
  const QString speedKey = QStringLiteral("cbRSSpeed");
  if (form.contains(speedKey)) {
    const int index = InterfaceForm::SpeedItems().indexOf(form[speedKey].toString());
    if (!form[speedKey].isString() || index < 0)
      throw BadValue(speedKey);
    tab.SetSpeedIndex(index);
  }
}

}  // namespace vrx
