#pragma once

#include <QMap>
#include <QWidget>
#include <functional>

#include "current/ReadLockout.h"
#include "rq7/Rq7Readout.h"
#include "session/RunContext.h"

class QLabel;
class QPushButton;

namespace vrx {

// The tab "Текущие параметры RQ": the clocks, the two channel columns and the error cell under
// their form names, and "Считать" (Button1). The path is the one chosen on the heat calculator's
// current-parameters tab (`path`); the read button shares that tab's lockout.
class Rq7CurrentTab : public QWidget {
  Q_OBJECT

 public:
  Rq7CurrentTab(RunContext& context, ReadLockout& lockout, std::function<CurrentPath()> path,
                QWidget* parent = nullptr);

  // The texts the output fields show, keyed by form name.
  const Rq7ValuesDisplay& Display() const { return display_; }

 private:
  void Read();
  void Refresh();

  RunContext& context_;
  ReadLockout& lockout_;
  std::function<CurrentPath()> path_;
  Rq7ValuesDisplay display_;
  QMap<QString, QLabel*> fields_;
  QPushButton* Button1_ = nullptr;
};

}  // namespace vrx
