#pragma once

#include <QString>

#include "link/Connection.h"
#include "service/CounterFields.h"
#include "service/SettingsWrite.h"

namespace vrx {

// "Установка счетчиков" without its widgets: the operating times, heat energies and volumes of
// the settings image in masked fields. The dialog mirrors the public state, puts what the
// engineer types into the fields' texts and calls the handlers.
class CounterSetting {
 public:
  static constexpr const char* kDone = "Счетчики установлены";

  explicit CounterSetting(Connection& connection);

  // Showing the dialog and "Обновить": prepares, failures swallowed (both panels empty).
  void FormShow();
  // "Считать": prepares (failures reported) and shows the counters of the editable fields.
  void bnReadClick();
  // "Записать": validates the editable fields (EValidation names the field to focus), checks
  // that the prepared model and scheme are still those of the instrument, and writes. Nothing
  // is sent to the instrument after a refused value, nothing written after a refused check.
  void bnWriteClick(const SettingsWrite& write);
  // "Сброс": every field's text to zeros; the instrument is not touched.
  void bnResetClick();

  // The field with that form name; throws std::out_of_range for another name.
  CounterField& Field(const QString& name);

  QString plDeviceType;
  QString plNScheme;
  CounterFields fields;

 private:
  void Prepare();
  // The digits a field's text stands for; refuses a text that is not a number of minutes.
  QString ValidDigits(const CounterField& field) const;

  Connection& connection_;
  const TDeviceRecord* type_ = nullptr;
  const TSchemeRecord* scheme_ = nullptr;
};

}  // namespace vrx
