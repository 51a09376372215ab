#pragma once

#include <QMap>
#include <QWidget>
#include <functional>

#include "rq7/Rq7Workspace.h"
#include "session/RunContext.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QComboBox;
class QPushButton;
class QSlider;

namespace vrx {

// The tab "Инициализация RQ": the controls of the unit's block under their form names. The
// widgets show the workspace's form and hand it the user's input before each button runs; every
// rule is the workspace's.
class Rq7InitTab : public QWidget {
  Q_OBJECT

 public:
  // `l1Family`: whether the model selected on the first tab is of the VRX-L1 families.
  Rq7InitTab(Rq7Workspace& workspace, RunContext& context, std::function<bool()> l1Family,
             QWidget* parent = nullptr);

 private:
  QWidget* BuildFields();
  QWidget* BuildTests();
  QWidget* BuildEffects();
  QWidget* BuildCorrection();
  QGroupBox* BuildGroup(const char* name, const char* caption);
  QLineEdit* Masked(const char* name);
  QCheckBox* Check(const char* name, const QString& caption);

  // Moves the widgets' values into the workspace's form, and back.
  void Collect();
  void Refresh();

  Rq7Workspace& workspace_;
  RunContext& context_;
  std::function<bool()> l1Family_;
  bool refreshing_ = false;

  QMap<QString, QLineEdit*> edits_;
  QMap<QString, QComboBox*> lists_;
  QMap<QString, QGroupBox*> groups_;
  QMap<QString, QCheckBox*> checks_;
  QSlider* TrackBar1_ = nullptr;
  QLabel* l1_ = nullptr;
  QPushButton* bbRQRead_ = nullptr;
  QPushButton* bbRQInitialize_ = nullptr;
};

}  // namespace vrx
