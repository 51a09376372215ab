#pragma once

#include <cstdint>

#include "BenchTable.h"
#include "link/Connection.h"

namespace vrx::bench {

// The operations an engineer waits for longest, each run through the same core as the window's
// button, with the journal keeping the writes as in the window.

// On a heat calculator: "Провести инициализацию" (after "Считать"), the restore of the record it
// made, and a refresh of the temperature calibration with the ADC code of every channel.
void HeatCalculatorRows(BenchTable& table, Connection& connection, uint32_t baud);

// "Считать" of "Текущие параметры RQ" over the cable, on an emulated RQ-7 unit.
void Rq7Row(BenchTable& table, uint32_t baud);

// "Записать" of "Доп. интерфейс" (after "Прочитать"), on the module of a connection at the
// link speed.
void InterfaceWriteRow(BenchTable& table, Connection& connection, uint32_t moduleBaud);

}  // namespace vrx::bench
