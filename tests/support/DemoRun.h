#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/DemoInstrument.h"
#include "session/RunContext.h"
#include "support/FakePortLine.h"
#include "support/ScriptedConfirmation.h"

namespace vrx::test {

// What a window test runs its window in: real pauses, messages kept, settings of its own, the
// question about the PC clock answered from a script, and the demo instrument of `type` behind
// COM1.
struct DemoRun {
  explicit DemoRun(const QString& type) : instrument(StartDemoInstrument(context, type)) {
    context.timeConfirmation = &confirmation;
  }

  QTemporaryDir dir;
  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  ScriptedConfirmation confirmation;
  RunContext context{pacer,         cursor, messages,
                     PlainNaming(), {},     dir.filePath(QStringLiteral("tool.ini"))};
  std::unique_ptr<sim::EmulatedInstrument> instrument;
};

}  // namespace vrx::test
