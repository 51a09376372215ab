#include "report/views/DocumentActions.h"

#include <QDateTime>
#include <utility>

#include "current/views/CurrentTab.h"
#include "init/views/InitTab.h"
#include "report/CurrentReport.h"
#include "report/views/DocumentRenderer.h"

namespace vrx {

namespace {

const FileKind kDocuments{QStringLiteral("Documents"), QStringLiteral("Документы PDF (*.pdf)"),
                          QStringLiteral("pdf")};

}  // namespace

DocumentActions::DocumentActions(InitTab& initTab, const InitWorkspace& workspace,
                                 CurrentTab& currentTab, RunContext& context,
                                 SchemePictureLoader picture, QWidget* parent)
    : QObject(parent),
      workspace_(workspace),
      currentTab_(currentTab),
      context_(context),
      picture_(std::move(picture)),
      parent_(parent) {
  const auto settings = [this] { return SettingsProtocol(); };
  const auto current = [this] { return CurrentReport(); };
  connect(&initTab, &InitTab::printRequested, this, [this, settings] { Print(settings); });
  connect(&initTab, &InitTab::savePdfRequested, this, [this, settings] { SavePdf(settings); });
  connect(&currentTab, &CurrentTab::printRequested, this, [this, current] { Print(current); });
  connect(&currentTab, &CurrentTab::savePdfRequested, this, [this, current] { SavePdf(current); });
}

Document DocumentActions::SettingsProtocol() const {
  return BuildSettingsProtocol(workspace_, QDateTime::currentDateTime(), picture_);
}

Document DocumentActions::CurrentReport() const {
  return BuildCurrentReport(currentTab_.Core(), QDateTime::currentDateTime());
}

void DocumentActions::Print(const std::function<Document()>& build) {
  context_.RunAction([&] { PrintWithPreview(build(), parent_); });
}

void DocumentActions::SavePdf(const std::function<Document()>& build) {
  context_.RunAction([&] {
    // Refused before a file is asked for.
    const Document document = build();
    const QString path = context_.Files().SaveFileName(QStringLiteral("Сохранить PDF"), kDocuments);
    if (!path.isEmpty())
      WritePdfFile(document, path);
  });
}

}  // namespace vrx
