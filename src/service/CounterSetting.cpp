#include "service/CounterSetting.h"

#include <stdexcept>

#include "image/SettingsFields.h"
#include "model/EValidation.h"
#include "model/Errors.h"

namespace vrx {

namespace {

const char* const kWrongType = "Неверно задан тип прибора.";
const char* const kWrongScheme = "Неверно задан номер измерительной схемы.";
const char* const kNotDecimal = "Введите десятичное число";
const char* const kBadMinutes = "Введите значение минут в диапазоне 0-59";
// The tens of minutes in the seven digits of an operating time.
constexpr int kMinuteTensIndex = 5;

const TSchemeRecord& StoredScheme(const SettingsImage& image) {
  const TFamilyRecord& family = image.Family();
  return family.Schemes[static_cast<size_t>(
      SchemeLookup(family, image.DeviceType(), SchemeCodeByte(image)) - 1)];
}

}  // namespace

CounterSetting::CounterSetting(Connection& connection) : connection_(connection) {}

void CounterSetting::Prepare() {
  try {
    connection_.link.IdentifyDevice();
    type_ = connection_.state.DeviceType;
    connection_.link.ReadSettings();
    const SettingsImage image(connection_.buffer, connection_.state);
    scheme_ = &StoredScheme(image);
    connection_.state.DeviceScheme = scheme_;
    plDeviceType = QString::fromUtf8(type_->Name);
    plNScheme = QString::number(scheme_->SchemeNumber);
    fields = SetUpCounterFields(image, *scheme_);
  } catch (...) {
    plDeviceType.clear();
    plNScheme.clear();
    type_ = nullptr;
    scheme_ = nullptr;
    throw;
  }
}

void CounterSetting::FormShow() {
  try {
    Prepare();
  } catch (const EOwned&) {
    // Silent: "Считать" reports what is wrong.
  }
}

CounterField& CounterSetting::Field(const QString& name) {
  for (CounterField& field : fields) {
    if (field.name == name) {
      return field;
    }
  }
  throw std::out_of_range("no counter field " + name.toStdString());
}

void CounterSetting::bnReadClick() {
  Prepare();
  const SettingsImage image(connection_.buffer, connection_.state);
  for (CounterField& field : fields) {
    if (field.state == CounterFieldState::Editable) {
      field.text = ReadCounterText(image, field);
    }
  }
}

QString CounterSetting::ValidDigits(const CounterField& field) const {
  QString digits = field.text;
  // A field with nothing typed into it stands for zero.
  if (QString(digits).remove(QLatin1Char('_')).trimmed().isEmpty()) {
    digits = QString(field.TextDigits(), QLatin1Char('0'));
  }
  bool number = digits.size() == field.TextDigits();
  for (const QChar c : digits) {
    number = number && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  }
  // The message names the field as its caption does ("tp1:").
  const auto refuse = [&field](const char* message) {
    return EValidation(
        QStringLiteral("%1 в поле \"%2\"").arg(QString::fromUtf8(message), field.label.chopped(1)),
        field.name);
  };
  if (!number) {
    throw refuse(kNotDecimal);
  }
  if (field.kind == CounterKind::Time && digits[kMinuteTensIndex] > QLatin1Char('5')) {
    throw refuse(kBadMinutes);
  }
  return digits;
}

void CounterSetting::bnWriteClick(const SettingsWrite& write) {
  QStringList digits;
  for (const CounterField& field : fields) {
    digits << (field.state == CounterFieldState::Editable ? ValidDigits(field) : QString());
  }
  connection_.link.IdentifyDevice();
  if (type_ == nullptr || connection_.state.DeviceType != type_) {
    throw EOwned(kWrongType);
  }
  connection_.link.ReadSettings();
  SettingsImage image(connection_.buffer, connection_.state);
  if (&StoredScheme(image) != scheme_) {
    throw EOwned(kWrongScheme);
  }
  write.Stamp(connection_);
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].state == CounterFieldState::Editable) {
      WriteCounterText(image, fields[i], digits[static_cast<qsizetype>(i)]);
    }
  }
  write.WriteAndReport(connection_, QStringLiteral("Установка счетчиков"),
                       QString::fromUtf8(kDone));
}

void CounterSetting::bnResetClick() {
  for (CounterField& field : fields) {
    field.text = QString(field.TextDigits(), QLatin1Char('0'));
  }
}

}  // namespace vrx
