#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
