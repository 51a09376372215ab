#pragma once

#include <QTemporaryDir>
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
};

}  // namespace vrx::test
