#pragma once

#include <QString>
#include <cstdint>

#include "calibration/AdcExchange.h"
#include "calibration/AdcSamples.h"
#include "calibration/CalibrationProtocol.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// What the temperature dialog shows about the connected instrument after a refresh.
struct TemperaturePanel {
  QString model;
  QString sensor;  // "W = 1,391" or "W = 1,385"
  QString deltaLabel;
  QString jitterLabel;
  QString fullScaleText;  // as the box prompt names it
  double fullScaleOhms = 0;
  double threshold = 0;
  int channelCount = 0;
  QString serialNumber;  // the device number of the settings image, when it was read
};

// The ADC calibration and the samples of the temperature check: the instrument calibrates
// itself on command 1 and keeps the coefficient; the tool only judges it.
class TemperatureCalibration {
 public:
  TemperatureCalibration(Connection& connection, Messages& messages)
      : connection_(connection), messages_(messages), exchange_(connection) {}

  // Identifies the instrument and fills the panel; on failure the panel is emptied and the
  // error goes on.
  const TemperaturePanel& Refresh();
  const TemperaturePanel& Panel() const { return panel_; }

  // Refresh, two confirmations, command 1. False when the engineer declined (nothing sent).
  bool Calibrate();
  // The coefficient K a check run uses (command 9).
  uint16_t ReadCoefficient();
  // The raw code of thermometer input 1..4.
  uint16_t ReadCode(int channel);

  // Takes the code of the channel and appends its sample, measured with K; returns the record
  // count.
  int Sample(int channel, uint16_t k, AdcSamples& samples);
  // The header of a calibration record of a check against R with K.
  ProtocolHeader Header(double reference, uint16_t k) const;

  // code × K as an exact unsigned 32-bit product, over 65535², times the full scale.
  static double Resistance(uint16_t code, uint16_t k, double fullScaleOhms);
  // Whether command 1 reported a sound coefficient.
  static bool CoefficientAccepted(uint16_t k);

 private:
  void FillPanel();

  Connection& connection_;
  Messages& messages_;
  AdcExchange exchange_;
  TemperaturePanel panel_;
};

}  // namespace vrx
