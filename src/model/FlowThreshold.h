#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "model/Catalogue.h"

namespace vrx {

// Litres per pulse of a nominal-diameter group (0..3) and pulse-value code (0..3); 0 for code 0,
// for group 3 and for anything outside the table.
double LitresPerPulse(int group, int code);

// The flow threshold (m3/h) as the one-byte code the instrument stores for a channel of the
// given group and pulse-value code. The value is clamped to 0.0008..450 first (a value that is
// not a number counts as the lower bound), the code to the type's range afterwards, so every
// input gives a valid code. subVersion is the firmware sub-version of the connection state; it
// narrows the range of the VRX-L12 and VRX-L13.
uint8_t EncodeFlowThreshold(const TDeviceRecord& type, uint8_t subVersion, int group, int code,
                            double value);

// The threshold (m3/h) a stored code stands for; 0 when the code means a zero pulse count.
double DecodeFlowThreshold(const TDeviceRecord& type, int group, int code, uint8_t stored);

// A flow value as the channel grid shows it: two significant digits below 100, three from 100
// on, and a single significant digit always followed by one more decimal place ("5,0", "0,50").
QString FormatFlow(double value, const QLocale& locale = QLocale());

}  // namespace vrx
