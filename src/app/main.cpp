#include <QLoggingCategory>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/DemoInstrument.h"
#include "app/FirstPaintProbe.h"
#include "app/MainForm.h"
#include "app/StartupOptions.h"
#include "app/VrxApplication.h"
#include "app/WidgetCursor.h"
#include "app/WidgetMessages.h"
#include "link/LineTrace.h"
#include "link/Pacer.h"
#include "session/RunContext.h"

int main(int argc, char** argv) {
  vrx::VrxApplication app(argc, argv);
  // The application title; the display name is left unset, so window captions stay exact.
  QApplication::setApplicationName(QStringLiteral("VRX-L Сервис"));
  QTextStream err(stderr);

  QString error;
  const std::optional<vrx::StartupOptions> options =
      vrx::ParseStartupOptions(QApplication::arguments().mid(1), &error);
  if (!options) {
    err << "vrx-service: " << error << '\n' << vrx::StartupUsage();
    return 2;
  }
  if (options->trace)
    QLoggingCategory::setFilterRules(QStringLiteral("vrx.link.debug=true"));

  vrx::RealPacer pacer;
  vrx::WidgetCursor cursor;
  vrx::WidgetMessages messages;
  app.SetErrorHook(cursor, messages);

  vrx::PortNaming naming;
  options->ApplyPorts(naming);
  vrx::RunContext context(pacer, cursor, messages, std::move(naming));

  std::unique_ptr<vrx::LineTrace> trace;
  if (!options->traceFile.isEmpty()) {
    trace = vrx::LineTrace::Open(options->traceFile, &error);
    if (!trace) {
      err << "vrx-service: cannot open the trace file " << options->traceFile << ": " << error
          << '\n';
      return 2;
    }
    // Said once here; the status line goes on saying it.
    trace->OnFailure([&err](const QString& message) {
      err << "vrx-service: " << message << '\n';
      err.flush();
    });
    context.connection.port.SetTrace(trace.get());
  }

  std::unique_ptr<vrx::sim::EmulatedInstrument> demo;
  if (!options->demoType.isEmpty()) {
    try {
      demo = vrx::StartDemoInstrument(context, options->demoType);
    } catch (const std::exception& e) {
      err << "vrx-service: cannot start the demo instrument: " << e.what() << '\n';
      return 2;
    }
  }

  vrx::TMainForm form(context, *options, vrx::TMainForm::PageBuild::RestAfterFirstPaint);
  if (form.StartFailed())
    return 1;
  vrx::FirstPaintProbe::Watch(form);
  form.show();
  return QApplication::exec();
}
