#include "init/InstrumentReading.h"

#include "init/InitWorkspace.h"
#include "init/WorkspaceForm.h"
#include "model/Errors.h"
#include "model/NumberHelpers.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

namespace {

const QString kEraseArchive = QStringLiteral("CheckBox1");

QJsonObject Settings(QJsonObject form) {
  form.remove(kEraseArchive);
  return form;
}

}  // namespace

QString LastInitializationText(const SettingsImage& image) {
  const int minute = image.FieldPos(SettingsField::InitTime);
  if (minute == 0)
    return {};
  uint8_t stamp[PcTimeStamp::kStampLength];
  for (int i = 0; i < PcTimeStamp::kStampLength; ++i)
    stamp[i] = image.Byte(minute + i);
  try {
    const auto two = [&stamp](int index) { return BcdToStr(&stamp[index], 2); };
    if (two(2) == QLatin1String("00"))
      return {};
    return two(2) + u'.' + two(3) + u'.' + two(4) + u' ' + two(1) + u':' + two(0);
  } catch (const EOwned&) {
    return {};
  }
}

void KeepReading(InitWorkspace& workspace, const SettingsImage& image) {
  const ConnectionState& state = image.State();
  workspace.KeepReading({ToForm(workspace), QString::fromUtf8(image.DeviceType().Name),
                         state.VersionByte, state.SubVersion, LastInitializationText(image),
                         std::nullopt});
}

bool EditedSinceReading(const InitWorkspace& workspace) {
  const std::optional<InstrumentReading>& reading = workspace.Reading();
  return reading && Settings(reading->form) != Settings(ToForm(workspace));
}

}  // namespace vrx
