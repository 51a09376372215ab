#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "LeakSuppressions.h"

// Widget tests run without a display unless one is asked for explicitly.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  // Every write a test makes is journaled in a file of this run, never in the user's journal.
  QTemporaryDir journal;
  qputenv("VRX_JOURNAL", journal.filePath(QStringLiteral("journal.sqlite")).toUtf8());
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
