#pragma once

#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace vrx {

// What one scheme picture has to show. A picture number is shared by the schemes of several
// models that measure the same way; the channels that carry the measurement are the same for all
// of them, while the optional last channel, the scheme number and sometimes the heat circuits
// differ by model, so those are kept per group of models.
struct SchemeSketch {
  struct Models {
    QStringList names;  // model names, or type names when only some versions of a model have it
    uint32_t schemeNumber = 0;
    int optionalChannel = 0;  // the channel switched on and off on the first tab; 0 none
    int optionalKind = 0;     // its flow (1) and temperature (2) bits
    uint8_t circuit1 = 0;     // channels of heat circuit 1 and 2 as nibbles
    uint8_t circuit2 = 0;
  };

  uint32_t picture = 0;
  // Flow (1), temperature (2) and timer (4) bits of channels 1..5 that belong to the scheme
  // itself (index 0 is channel 1); the optional channel is left out.
  std::array<int, 5> kinds{};
  bool coldWater = false;   // the cold-water temperature and pressure take part
  bool massVolume = false;  // mass or volume per channel instead of heat
  std::vector<Models> models;

  // The circuits of the first group; the picture draws them, the other groups are listed.
  bool CircuitsDiffer() const;
};

// One sketch per picture number of the catalogue, in ascending order of the number.
std::vector<SchemeSketch> SketchCatalogue();

}  // namespace vrx
