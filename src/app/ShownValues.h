#pragma once

#include <QStringList>

class QWidget;

namespace vrx {

// Every value the visible controls under `root` show, in a fixed order: label and edit texts,
// list choices, check marks, slider positions, the cells of grids. Two calls give equal lists
// when nothing shown has changed in between.
QStringList ShownValues(const QWidget& root);

}  // namespace vrx
