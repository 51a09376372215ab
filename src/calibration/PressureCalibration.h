#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "calibration/AdcSamples.h"
#include "calibration/CalibrationProtocol.h"
#include "link/Connection.h"
#include "model/Messages.h"

namespace vrx {

// What the pressure dialog shows about the connected instrument after a refresh.
struct PressurePanel {
  QString model;
  QString inputText;  // "нет", "0..5мА", "4..20мА"
  int inputType = 0;  // 0 none, 1 current 0-5 mA, 2 current 4-20 mA
  int channelCount = 0;
  int blockLength = 0;  // bytes of the coefficient block: 4n with Pmax, 2n without
  bool pmaxCapable = false;
};

// Coefficients and Pmax of the current-loop pressure inputs. The coefficient block (command 10,
// read twice and compared before every change; written whole with command 11) holds per channel
// a word of the scaled coefficient with the Pmax index in its top two bits, and on Pmax-capable
// instruments the raw coefficients after them. Every check comes before the write, so a refused
// calibration leaves the instrument as it was.
class PressureCalibration {
 public:
  static constexpr int kMaxBlock = 16;
  // Pmax (кгс/см2) by the item of the Pmax list and by the top bits of a word; 3 is "not
  // calibrated".
  static constexpr std::array<int, 4> kPmax{16, 10, 6, 0};

  PressureCalibration(Connection& connection, Messages& messages)
      : connection_(connection), messages_(messages) {}

  const PressurePanel& Refresh();
  const PressurePanel& Panel() const { return panel_; }

  // Reads the block twice into A and B and compares them.
  void ReadBlock();
  const std::array<uint8_t, kMaxBlock>& Block() const { return a_; }

  // "Калибровка по R" from the reference voltage and load resistor texts.
  void CalibrateByR(int channel, int pmaxIndex, const QString& uref, const QString& rl);
  // "Калибровка по I" from the sample of the channel taken at full-scale current; `samples`
  // are the rows of the check table.
  void CalibrateByI(int channel, int pmaxIndex, const std::vector<AdcSamples::Sample>& samples);
  void SetPmax(int channel, int pmaxIndex);
  // Reads the block and stores the coefficient k (rounded) of the channel with the Pmax of the
  // list item; refuses a coefficient that does not fit.
  void StoreCoefficient(int channel, int pmaxIndex, double k);
  // The item of the Pmax list that the channel's word selects.
  int GetPmax(int channel);
  // Writes a whole block back as it was saved (a restore from the journal); refuses a block of
  // another length than the instrument's.
  void RestoreBlock(const QByteArray& block, const QString& operation);

  // Starts a check run: refresh, then the block the run computes with.
  void PrepareCheck();
  uint16_t ReadCode(int channel);
  // Takes the code of the channel and appends its sample with the scaled coefficient and the
  // pressure; returns the record count.
  int Sample(int channel, AdcSamples& samples);
  // The header of a calibration record; the reference texts as the engineer gave them.
  ProtocolHeader Header(const QString& uref, const QString& rl, const QString& pmax) const;
  // The pressure of a code with the channel's word of the block read for the run.
  double Pressure(int channel, uint16_t code) const;
  static double PressureOf(uint16_t word, uint16_t code, int inputType);
  // The unrounded coefficient of a calibration by R; refuses an input type without loops.
  static double CoefficientByR(double uref, double rl, int inputType);

 private:
  void FillPanel();
  uint16_t Word(int index) const;
  void SetWord(int index, uint16_t value);
  void WriteBlock(const QString& operation);
  void RequireChannel(int channel, const char* message) const;
  void RequirePmax() const;

  Connection& connection_;
  Messages& messages_;
  PressurePanel panel_;
  std::array<uint8_t, kMaxBlock> a_{};
  std::array<uint8_t, kMaxBlock> b_{};
  // The block as read, before a change is made in A.
  std::array<uint8_t, kMaxBlock> before_{};
};

}  // namespace vrx
