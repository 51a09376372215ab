#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "init/InitTabTestSupport.h"
#include "model/FlowThreshold.h"
#include "support/QtPrinters.h"
#include "support/WorkspaceTestSupport.h"

namespace vrx {
namespace {

using test::InitTab;
using F = ChannelField;

struct Stored {
  uint8_t code;
  double threshold;
  QString text;
};

// The thresholds a channel of the group and pulse value can hold: the codes that encode back
// to themselves.
std::vector<Stored> StoredThresholds(const TDeviceRecord& type, uint8_t subVersion, int group,
                                     int pulse) {
  std::vector<Stored> stored;
  for (int code = 0; code <= 255; ++code) {
    const double threshold = DecodeFlowThreshold(type, group, pulse, static_cast<uint8_t>(code));
    if (threshold > 0 && EncodeFlowThreshold(type, subVersion, group, pulse, threshold) == code)
      stored.push_back({static_cast<uint8_t>(code), threshold, FormatFlow(threshold)});
  }
  return stored;
}

// A threshold read from the instrument, shown in its cell and entered again (a form file
// applied, the validation before initialization) must not move to a neighbouring code: the
// cell shows two significant digits, which may snap elsewhere than the stored value.
TEST(ThresholdText, TheShownTextOfEveryStoredThresholdKeepsItsCode) {
  std::vector<std::string> faults;
  int checked = 0;
  for (int typeIndex = test::kL2Type; typeIndex <= kTypeCount; ++typeIndex) {
    const TDeviceRecord& type = DeviceTypeAt(typeIndex);
    InitTab tab;
    tab.Type(type.Name);
    tab.Scheme("1");  // channel 1 measures flow in the first scheme of every new-format model
    ChannelsTable& channels = tab.channels();
    const int row = tab.RowOf(1);
    // The VRX-L12 and VRX-L13 store fewer small counts before sub-version 21.
    const std::vector<uint8_t> subVersions =
        type.Code >= 7 ? std::vector<uint8_t>{20, 30} : std::vector<uint8_t>{30};
    for (uint8_t subVersion : subVersions) {
      tab.state.SubVersion = subVersion;
      for (int group = 0; group <= 2; ++group) {
        for (int pulse = 1; pulse <= 3; ++pulse) {
          const std::vector<Stored> stored = StoredThresholds(type, subVersion, group, pulse);
          std::map<QString, int> sameText;
          for (const Stored& s : stored)
            ++sameText[s.text];
          for (const Stored& s : stored) {
            ++checked;
            const std::string where =
                std::string(type.Name) + " sub-version " + std::to_string(subVersion) + " group " +
                std::to_string(group) + " pulse " + std::to_string(pulse) + " code " +
                std::to_string(s.code) + " \"" + s.text.toStdString() + "\"";
            ChannelRow& r = channels.Fields(row);
            r.Dy = static_cast<int16_t>(group);
            r.Ticks = static_cast<int16_t>(pulse);

            // The row holds the threshold, as after reading: its text keeps it exactly.
            r.gmin = s.threshold;
            channels.cdsChannelsgminSetText(row, s.text);
            if (r.gmin != s.threshold)
              faults.push_back(where + ": moved to " + FormatFlow(r.gmin).toStdString());

            // The row holds another threshold, as on a fresh tab that a form is applied to: the
            // text gives a threshold with the same text, and the code itself wherever no other
            // code shows that text.
            r.gmin = 225;
            channels.cdsChannelsgminSetText(row, s.text);
            const uint8_t code = EncodeFlowThreshold(type, subVersion, group, pulse, r.gmin);
            if (FormatFlow(r.gmin) != s.text ||
                DecodeFlowThreshold(type, group, pulse, code) != r.gmin ||
                (sameText[s.text] == 1 && code != s.code)) {
              faults.push_back(where + ": fresh row got code " + std::to_string(code) + " \"" +
                               FormatFlow(r.gmin).toStdString() + "\"");
            }
          }
        }
      }
    }
  }
  // The table above comes from the encoder and decoder themselves; it must hold every code of
  // every range, worked out by hand (group 0..2 and pulse value 1..3 make 9 channels a type):
  //   VRX-L2: codes 1..255 each, 6 types x 9 x 255 = 13770;
  //   VRX-L3: codes 1..15 each, 6 x 9 x 15 = 810;
  //   VRX-L5: pulse value 1 stores 7..254 (248 codes), 2 and 3 store 1..253 (253), 6 x 3 x 754
  //   = 13572;
  //   VRX-L12 and VRX-L13, each sub-version: counts up to 36 less 5, from count 8 (3..31, 29
  //   codes) at sub-version 20 or from count 6 (1..31, 31 codes) at 30, and 0x81..0x9B (27
  //   codes) above; at 1000 litres per pulse (group 2, value 3) counts 6 and 7 would mean more
  //   than 450 m3/h, so that channel keeps 56 codes at sub-version 30 too: a type holds
  //   9 x 56 + 8 x 58 + 56 = 1024, 12 types 12288.
  // In all 13770 + 810 + 13572 + 12288 = 40440.
  EXPECT_EQ(checked, 40440);
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first: " << faults.front();
}

// Texts that no storable threshold shows still snap to the one the instrument would use.
TEST(ThresholdText, OtherTextsSnapAsTyped) {
  const struct {
    const char* type;
    const char* dy;
    const char* typed;
    const char* shown;
  } cases[] = {
      // VRX-L13 at 10 litres per pulse: counts 73 (0,49) and 81 (0,44) follow each other.
      {"VRX-L13-2.2", "50...100", "0,49", "0,49"},
      {"VRX-L13-2.2", "50...100", "0.49", "0,49"},
      {"VRX-L13-2.2", "50...100", " 0,49 ", "0,49"},
      {"VRX-L13-2.2", "50...100", "0,47", "0,44"},
      {"VRX-L13-2.2", "50...100", "0,5", "0,49"},
      // VRX-L2 at 1 litre per pulse: 0,225 / code; code 20 shows "0,011", which code 21 does
      // too, while 0,011 itself snaps to code 21.
      {"VRX-L2-1.0", "15...40", "0,011", "0,011"},
      {"VRX-L2-1.0", "15...40", "0,0111", "0,011"},
      // Not a number: 0,02, snapped down to code 12 (0,019) although code 11 shows "0,020".
      {"VRX-L2-1.0", "15...40", "abc", "0,019"},
      {"VRX-L2-1.0", "15...40", "0,02", "0,020"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.type) + " " + k.typed);
    InitTab tab;
    tab.Type(k.type);
    tab.Scheme("1");
    tab.Enter(1, F::Dy, k.dy);
    tab.Enter(1, F::gmin, k.typed);
    EXPECT_EQ(tab.Cell(1, F::gmin), k.shown);
  }
}

}  // namespace
}  // namespace vrx
