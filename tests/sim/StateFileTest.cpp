#include "sim/StateFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "sim/SimTestSupport.h"

namespace vrx::sim {
namespace {

using test::Bytes;

class StateFileTest : public testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  void WriteText(const QString& path, const QByteArray& text) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  QTemporaryDir dir_;
};

TEST_F(StateFileTest, LoadsWhatWasLastSavedAndLeavesNothingElseBehind) {
  const QString path = PathOf("l5.state");
  const StateFile writer(path, "VRX-L5-2.2");
  EXPECT_EQ(writer.Load(97), std::nullopt);
  EXPECT_FALSE(QFile::exists(path));

  const Bytes first = test::Pattern(97, 0x00);
  const Bytes second = test::Pattern(97, 0x55);
  writer.Save(first);
  writer.Save(second);

  EXPECT_EQ(StateFile(path, "VRX-L5-2.2").Load(97), second);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"l5.state"});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("vrx-sim state\ntype VRX-L5-2.2\n"));
}

TEST_F(StateFileTest, RefusesAFileThatDoesNotFitTheInstrument) {
  struct Case {
    const char* name;
    QByteArray text;  // empty: /dev/zero instead of a file
    QString message;  // after "state file PATH "
  };
  const Case cases[] = {
      {"short block", "vrx-sim state\ntype VRX-L5-2.2\n" + QByteArray(57, 'a').toHex() + "\n",
       "holds a settings block of 57 bytes, VRX-L5-2.2 has 97"},
      {"another type", "vrx-sim state\ntype RQ-7\n00\n",
       "holds the settings of RQ-7, not of VRX-L5-2.2"},
      {"bad hex", "vrx-sim state\ntype VRX-L5-2.2\n0011\n00zz\n", "line 4 is not hex"},
      {"no header", "0011223344\n", "is not a vrx-sim state file"},
      // The message would end at the NUL.
      {"NUL in the type", QByteArray("vrx-sim state\ntype VRX-L5\0-2.2\n00\n", 34),
       "has a control character in its type line"},
      {"larger than a state file can be",
       "vrx-sim state\ntype VRX-L5-2.2\n" + QByteArray(1024 * 1024, '0') + "\n",
       "cannot be read: larger than 1048576 bytes"},
      {"a device", {}, "cannot be read: not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = c.text.isEmpty() ? QStringLiteral("/dev/zero") : PathOf("bad.state");
    if (!c.text.isEmpty())
      WriteText(path, c.text);
    try {
      StateFile(path, "VRX-L5-2.2").Load(97);
      ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(QString::fromStdString(e.what()),
                QStringLiteral("state file %1 %2").arg(path, c.message));
    }
  }
}

TEST_F(StateFileTest, AFailedSaveThrows) {
  EXPECT_THROW(StateFile(PathOf("missing/x.state"), "RQ-7").Save(test::Pattern(73, 0)),
               std::runtime_error);
}

}  // namespace
}  // namespace vrx::sim
