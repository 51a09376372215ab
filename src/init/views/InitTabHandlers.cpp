// The first tab's handlers and the refresh of its controls from the workspace; the tab's
// controls are built in InitTab.cpp.
#include "init/views/InitTab.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>
#include <exception>

#include "init/InitTemplate.h"
#include "init/InitializeDevice.h"
#include "init/ReadIniParams.h"
#include "init/TabFields.h"
#include "init/TemplateCheck.h"
#include "init/views/ChannelsModel.h"
#include "init/views/CircuitsModel.h"
#include "init/views/DbGrid.h"
#include "model/EValidation.h"
#include "widgets/views/DecimalEdit.h"
#include "widgets/views/NumberEdit.h"

namespace vrx {

namespace {

// Templates are form files, JSON like those of vrxctl.
const FileKind kTemplates{QStringLiteral("Templates"), QStringLiteral("Шаблоны (*.json)"),
                          QStringLiteral("json")};

void ShowList(QComboBox* box, const ListState& list) {
  QStringList shown;
  for (int i = 0; i < box->count(); ++i)
    shown << box->itemText(i);
  if (shown != list.items) {
    box->clear();
    box->addItems(list.items);
  }
  box->setCurrentIndex(list.HasSelection() ? list.index : -1);
  box->setVisible(list.visible);
  box->setEnabled(list.enabled);
}

void ShowEdit(QLineEdit* edit, const EditState& state) {
  if (edit->text() != state.text)
    edit->setText(state.text);
  edit->setMaxLength(state.maxLength > 0 ? state.maxLength : 32767);
  edit->setVisible(state.visible);
  edit->setEnabled(state.enabled);
}

void ShowCheck(QCheckBox* box, const CheckState& state) {
  box->setChecked(state.checked);
  box->setText(state.caption);
  box->setVisible(state.visible);
  box->setEnabled(state.enabled);
}

}  // namespace

void InitTab::RunHandler(const std::function<void()>& handler) {
  // A cell edit entered on behalf of a running action: its error ends that action instead.
  if (enteredError_ != nullptr) {
    try {
      handler();
    } catch (...) {
      *enteredError_ = std::current_exception();
    }
    return;
  }
  context_.RunAction([&] {
    try {
      handler();
    } catch (const EValidation& refused) {
      FocusControl(refused.FocusControl());
      throw;
    }
  });
}

void InitTab::FocusControl(const QString& name) {
  if (name.isEmpty())
    return;
  auto* control = findChild<QWidget*>(name);
  if (control == nullptr)
    return;
  // A cell editor of the grid keeps the focus it already has inside the grid.
  const QWidget* focused = QApplication::focusWidget();
  if (focused != control && !control->isAncestorOf(focused))
    control->setFocus(Qt::OtherFocusReason);
}

void InitTab::ReadIniParams() {
  RunHandler([this] {
    vrx::ReadIniParams(workspace_, context_.connection.link, context_.connection.state,
                       context_.connection.buffer);
  });
}

void InitTab::InitializeDevice() {
  RunHandler([this] {
    EnterChannelEdit();
    vrx::InitializeDevice(workspace_, context_.connection.link, context_.connection.state,
                          context_.connection.buffer, context_.timeStamp,
                          context_.TimeConfirmation(), context_.messages);
  });
}

void InitTab::SaveTemplate() {
  RunHandler([this] {
    EnterChannelEdit();
    const QString path =
        context_.Files().SaveFileName(QStringLiteral("Сохранить шаблон"), kTemplates);
    if (!path.isEmpty())
      SaveInitTemplate(workspace_, path);
  });
}

void InitTab::LoadTemplate() {
  RunHandler([this] {
    const QString path =
        context_.Files().OpenFileName(QStringLiteral("Загрузить шаблон"), kTemplates);
    if (!path.isEmpty())
      LoadInitTemplate(workspace_, path, context_.messages);
  });
}

void InitTab::CheckTemplate() {
  RunHandler([this] {
    const QString path =
        context_.Files().OpenFileName(QStringLiteral("Сверить с шаблоном"), kTemplates);
    if (path.isEmpty())
      return;
    const TemplateComparison& comparison =
        CheckAgainstTemplate(workspace_, context_.connection.link, context_.connection.state,
                             context_.connection.buffer, path);
    if (comparison.differences.empty()) {
      context_.messages.ShowInfo(
          QStringLiteral("Все настройки прибора совпадают с шаблоном \"%1\".").arg(path));
    } else {
      context_.messages.ShowInfo(
          QStringLiteral("Настройки прибора отличаются от шаблона \"%1\" (поле (надпись): в "
                         "приборе, в шаблоне):\n%2")
              .arg(path, DifferenceLines(comparison).join(u'\n')));
    }
  });
}

void InitTab::MarkDifferences() {
  const std::optional<InstrumentReading>& reading = workspace_.Reading();
  QList<QWidget*> marked;
  QSet<std::pair<int, int>> channelCells;
  QSet<std::pair<int, int>> circuitCells;
  if (reading && reading->comparison) {
    for (const FieldDifference& difference : reading->comparison->differences) {
      if (const std::optional<CellKey> cell = CellOfKey(difference.field)) {
        (cell->table == QLatin1String("cdsChannels") ? channelCells : circuitCells)
            .insert({cell->row, cell->column});
      } else if (auto* control = findChild<QWidget*>(difference.field)) {
        marked << control;
      }
    }
  }
  for (QWidget* control : std::as_const(marked_)) {
    if (!marked.contains(control))
      control->setStyleSheet(QString());
  }
  for (QWidget* control : std::as_const(marked))
    control->setStyleSheet(QStringLiteral("background-color: %1").arg(QLatin1String(kMarkColor)));
  marked_ = marked;
  cdsChannels_->SetMarkedCells(channelCells);
  cdsCircuits_->SetMarkedCells(circuitCells);
}

void InitTab::EnterChannelEdit() {
  // The grid has no persistent editors: a widget on the current cell is an open cell editor.
  QWidget* editor = DBGrid1_->indexWidget(DBGrid1_->currentIndex());
  if (editor == nullptr)
    return;
  // The editor's text goes to the cell's setter and the editor closes, as when it loses the
  // focus.
  std::exception_ptr refused;
  {
    const QScopedValueRollback<std::exception_ptr*> entering(enteredError_, &refused);
    QAbstractItemDelegate* delegate = DBGrid1_->itemDelegateForIndex(DBGrid1_->currentIndex());
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  if (refused)
    std::rethrow_exception(refused);
}

bool InitTab::MouseWheel(QWidget* target, int delta) {
  if (target == nullptr || delta == 0)
    return false;
  const bool towardsUser = delta < 0;
  for (DbGrid* grid : {DBGrid1_, DBGrid2_}) {
    if (grid->Contains(target)) {
      grid->MoveRow(towardsUser ? 1 : -1);
      return true;
    }
  }
  for (NumberEdit* edit : {DevNoEdit_, DevAddrEdit_}) {
    if (target == edit) {
      edit->StepKey(towardsUser ? Qt::Key_Down : Qt::Key_Up);
      return true;
    }
  }
  return false;
}

void InitTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  DevNoEdit_->setFocus(Qt::OtherFocusReason);
}

// --- State to widgets ------------------------------------------------------------------------

void InitTab::Refresh() {
  const QScopedValueRollback<bool> refreshing(refreshing_, true);
  const InitTabControls& c = workspace_.Controls();

  lbDeviceType_->setText(c.cbDeviceType.caption);
  ShowList(cbDeviceType_, c.cbDeviceType);
  ShowList(cbTermType_, c.cbTermType);
  wLab_->setText(c.wLab.caption);
  wLab_->setVisible(c.wLab.visible);
  lbTermType_->setVisible(c.cbTermType.visible || c.wLab.visible);
  lbCountingScheme_->setText(c.cbCountingScheme.caption);
  ShowList(cbCountingScheme_, c.cbCountingScheme);
  ShowEdit(DevNoEdit_, c.DevNoEdit);
  ShowEdit(DevAddrEdit_, c.DevAddrEdit);

  cwGroup_->setTitle(c.cwGroup.caption);
  cwGroup_->setVisible(c.cwGroup.visible);
  ShowEdit(winterTcwEdit_, c.winterTcwEdit);
  ShowEdit(summerTcwEdit_, c.summerTcwEdit);
  ShowEdit(tcwPressureEdit_, c.tcwPressureEdit);
  ShowList(cbWinterDst_, c.cbWinterDst);
  ShowList(cbSummerDst_, c.cbSummerDst);

  ShowList(cbQWDim_, c.cbQWDim);
  ShowList(cbGGoDim_, c.cbGGoDim);
  plThirdChannel_->setVisible(c.plThirdChannel.visible);
  ShowCheck(cbThirdChannel_, c.cbThirdChannel);
  plLC_->setVisible(c.plLC.visible);
  ShowList(cbLCType_, c.cbLCType);
  ShowList(cbLCMeasurement_, c.cbLCMeasurement);
  plN5_->setVisible(c.plN5.visible);
  lbgth_->setText(c.cbgth.caption);
  ShowList(cbgth_, c.cbgth);
  plReaction_->setVisible(c.plReaction.visible);
  ShowList(cbReaction_, c.cbReaction);
  ShowCheck(cbUsePresetP_, c.cbUsePresetP);

  ShowCheck(CheckBox1_, c.CheckBox1);
  bbInitialize_->setText(c.bbInitialize.caption);
  bbInitialize_->setVisible(c.bbInitialize.visible);

  RefreshGrids();
  MarkDifferences();
}

void InitTab::RefreshGrids() {
  const InitTabControls& c = workspace_.Controls();
  GroupBox2_->setTitle(c.GroupBox2.caption);
  GroupBox2_->setVisible(c.GroupBox2.visible);

  const int channelColumn = std::max(DBGrid1_->currentIndex().column(), 0);
  cdsChannels_->Refresh();
  for (int column = 0; column < cdsChannels_->columnCount(); ++column)
    DBGrid1_->setColumnHidden(column, !c.DBGrid1.ColumnVisible(column));
  DBGrid1_->FitColumns();
  DBGrid1_->SetShownRows(std::max(cdsChannels_->rowCount(), 1));
  const int current = workspace_.cdsChannels().CurrentRow();
  if (current >= 0 && DBGrid1_->currentIndex().row() != current)
    DBGrid1_->setCurrentIndex(cdsChannels_->index(current, channelColumn));

  cdsCircuits_->Refresh();
  DBGrid2_->setVisible(c.DBGrid2.visible);
  lbCircuits_->setVisible(c.DBGrid2.visible);
  for (int column = 0; column < cdsCircuits_->columnCount(); ++column)
    DBGrid2_->setColumnHidden(column, !c.DBGrid2.ColumnVisible(column));
  DBGrid2_->FitColumns();
  if (!DBGrid2_->currentIndex().isValid() && cdsCircuits_->rowCount() > 0)
    DBGrid2_->setCurrentIndex(cdsCircuits_->index(0, 0));
}

}  // namespace vrx
