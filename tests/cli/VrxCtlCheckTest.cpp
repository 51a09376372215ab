#include <gtest/gtest.h>

#include "CtlInstrument.h"

namespace vrx::test {
namespace {

// An instrument initialized from a project's template matches it; once its network address is
// changed on site, the check fails and names that field alone.
TEST(VrxCtlCheck, NamesTheFieldChangedOnTheInstrument) {
  Instrument instrument("VRX-L13-2.2");
  QJsonObject project =
      QJsonDocument::fromJson(instrument.Run({"settings", "--json"}).out.toUtf8()).object();
  project["DevAddrEdit"] = "12";
  project["summerTcwEdit"] = "7";
  const QString projectFile = instrument.WriteForm(project);
  ASSERT_EQ(instrument.Run({"init", "--form", projectFile, "--time-ok"}).code, 0);

  const CtlRun matching = instrument.Run({"settings", "--check", projectFile});
  EXPECT_EQ(matching.code, 0) << matching.out.toStdString() << matching.err.toStdString();

  // A misspelt key would never be compared: refused, named.
  QJsonObject misspelt = project;
  misspelt["DevAdrEdit"] = "12";
  const CtlRun refused = instrument.Run(
      {"settings", "--check", instrument.Write("misspelt.json", QJsonDocument(misspelt).toJson())});
  EXPECT_EQ(refused.code, 2);
  EXPECT_TRUE(refused.err.contains("DevAdrEdit")) << refused.err.toStdString();

  QJsonObject onSite = project;
  onSite["DevAddrEdit"] = "30";
  ASSERT_EQ(instrument
                .Run({"init", "--form",
                      instrument.Write("site.json", QJsonDocument(onSite).toJson()), "--time-ok"})
                .code,
            0);
  const CtlRun differing = instrument.Run({"settings", "--check", projectFile});
  EXPECT_EQ(differing.code, 1);
  EXPECT_EQ(differing.out.split('\n', Qt::SkipEmptyParts).mid(1),
            QStringList{"DevAddrEdit (Сетевой адрес:): в приборе 30, в шаблоне 12"})
      << differing.out.toStdString();
}

}  // namespace
}  // namespace vrx::test
