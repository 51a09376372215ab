#pragma once

#include <QObject>

#include "report/SettingsProtocol.h"
#include "session/RunContext.h"

class QWidget;

namespace vrx {

class CurrentTab;
class InitTab;

// The documents' buttons of the window: "Печать…" and "Сохранить PDF…" of the settings protocol
// on the first tab and of the report on "Текущие параметры". Each runs as an action of the
// window: a refusal (nothing read, edited since) shows in the error box; the PDF file is chosen
// through the context's file dialogs.
class DocumentActions : public QObject {
  Q_OBJECT

 public:
  DocumentActions(InitTab& initTab, const InitWorkspace& workspace, CurrentTab& currentTab,
                  RunContext& context, SchemePictureLoader picture, QWidget* parent);

 private:
  Document SettingsProtocol() const;
  Document CurrentReport() const;
  void Print(const std::function<Document()>& build);
  void SavePdf(const std::function<Document()>& build);

  const InitWorkspace& workspace_;
  const CurrentTab& currentTab_;
  RunContext& context_;
  SchemePictureLoader picture_;
  QWidget* parent_;
};

}  // namespace vrx
