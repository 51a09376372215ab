#include "SchemeSketch.h"

#include <map>
#include <tuple>

#include "model/Catalogue.h"
#include "model/ChannelFlags.h"

namespace vrx {
namespace {

constexpr int kBitsPerChannel = 3;
constexpr uint32_t kChannelBits = 7;

int ChannelBits(int channel, uint32_t flags) {
  return static_cast<int>((flags >> (kBitsPerChannel * (channel - 1))) & kChannelBits);
}

// "VRX-L13-2.2" -> "VRX-L13".
QString ModelOf(const char* typeName) {
  const QString name = QString::fromLatin1(typeName);
  return name.left(name.lastIndexOf(QLatin1Char('-')));
}

// Type names of a group, with the versions folded into the model name when every version of
// that model is in the group.
QStringList FoldVersions(const QStringList& typeNames) {
  std::map<QString, int> allVersions;
  for (const TDeviceRecord& type : DeviceTypes())
    ++allVersions[ModelOf(type.Name)];
  std::map<QString, QStringList> byModel;
  QStringList order;
  for (const QString& name : typeNames) {
    const QString model = ModelOf(name.toLatin1().constData());
    if (!byModel.contains(model))
      order << model;
    byModel[model] << name;
  }
  QStringList folded;
  for (const QString& model : order) {
    const QStringList& names = byModel[model];
    if (static_cast<int>(names.size()) == allVersions[model])
      folded << model;
    else
      folded << names;
  }
  return folded;
}

}  // namespace

bool SchemeSketch::CircuitsDiffer() const {
  for (const Models& group : models) {
    if (group.circuit1 != models.front().circuit1 || group.circuit2 != models.front().circuit2)
      return true;
  }
  return false;
}

std::vector<SchemeSketch> SketchCatalogue() {
  using GroupKey = std::tuple<uint32_t, int, int, uint8_t, uint8_t>;
  std::map<uint32_t, SchemeSketch> sketches;
  std::map<uint32_t, std::map<GroupKey, QStringList>> typeNames;
  std::map<uint32_t, std::vector<GroupKey>> groupOrder;

  for (const TDeviceRecord& type : DeviceTypes()) {
    const TFamilyRecord& family = FamilyOf(type);
    for (int i = 0; i < type.SchemeCount; ++i) {
      const TSchemeRecord& scheme = family.Schemes[static_cast<size_t>(i)];
      SchemeSketch& sketch = sketches[scheme.PictureNumber];
      sketch.picture = scheme.PictureNumber;
      sketch.coldWater = (scheme.Flags & kFlagNoColdWater) == 0;
      sketch.massVolume = (scheme.Flags & kFlagMassVolumeChoice) != 0;
      const int optional = (scheme.Flags & kFlagFixedLastChannel) != 0 ? 0 : family.ChannelCount;
      for (int channel = 1; channel <= family.ChannelCount; ++channel) {
        if (channel != optional)
          sketch.kinds[static_cast<size_t>(channel - 1)] |= ChannelBits(channel, scheme.Flags);
      }
      const GroupKey key{scheme.SchemeNumber, optional,
                         optional != 0 ? ChannelKind(optional, scheme.Flags) : 0,
                         scheme.Circuit1Channels, scheme.Circuit2Channels};
      QStringList& names = typeNames[scheme.PictureNumber][key];
      if (names.isEmpty())
        groupOrder[scheme.PictureNumber].push_back(key);
      names << QString::fromLatin1(type.Name);
    }
  }

  std::vector<SchemeSketch> result;
  for (auto& [picture, sketch] : sketches) {
    for (const GroupKey& key : groupOrder[picture]) {
      const auto& [number, optional, optionalKind, circuit1, circuit2] = key;
      sketch.models.push_back({FoldVersions(typeNames[picture][key]), number, optional,
                               optionalKind, circuit1, circuit2});
    }
    result.push_back(sketch);
  }
  return result;
}

}  // namespace vrx
