#pragma once

#include <QCheckBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/DemoInstrument.h"
#include "app/MainForm.h"
#include "app/WidgetCursor.h"
#include "link/Pacer.h"
#include "session/RunContext.h"

namespace vrx::test {

// The window of a screenshot tool: real pauses, the wait cursor, messages kept for a report,
// settings of its own, and an emulated instrument of the given type behind COM1.
struct DemoScreenshot {
  QTemporaryDir settings;
  RealPacer pacer;
  WidgetCursor cursor;
  RecordingMessages messages;
  RunContext context{pacer,    cursor,
                     messages, PortNaming(PortNaming::SettingLookup{}),
                     {},       settings.filePath(QStringLiteral("tool.ini"))};
  std::unique_ptr<sim::EmulatedInstrument> instrument;
  std::unique_ptr<TMainForm> form;

  DemoScreenshot(const QString& type, const StartupOptions& options)
      : instrument(StartDemoInstrument(context, type)),
        form(std::make_unique<TMainForm>(context, options)) {}
  // With an instrument the caller made (a clock of its own, say) behind COM1.
  DemoScreenshot(std::unique_ptr<sim::EmulatedInstrument> made, const StartupOptions& options)
      : instrument(std::move(made)) {
    context.connection.port.Naming().SetOverride(StartupOptions::kDemoPortNumber,
                                                 QString::fromStdString(instrument->SlavePath()));
    form = std::make_unique<TMainForm>(context, options);
  }
};

// Shows the window at 1280x1000 on the tab "Текущие параметры" and switches its polling on;
// false when the window does not appear.
inline bool StartPolling(TMainForm& form) {
  form.show();
  form.resize(1280, 1000);
  if (!QTest::qWaitForWindowExposed(&form))
    return false;
  form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))
      ->setCurrentIndex(TMainForm::kCurrentPage);
  QTest::mouseClick(form.findChild<QCheckBox*>(QStringLiteral("cbPolling")), Qt::LeftButton);
  return true;
}

}  // namespace vrx::test
