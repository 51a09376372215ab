#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "LeakSuppressions.h"

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  // Every write a test makes is journaled in a file of this run, never in the user's journal.
  QTemporaryDir journal;
  qputenv("VRX_JOURNAL", journal.filePath(QStringLiteral("journal.sqlite")).toUtf8());
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
