// The window's file dialogs: Qt's own dialog (so its texts follow Qt's Russian translations), in
// the user's home at first, then in the folder last used for that kind of file, and home again
// once that folder is gone.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/WidgetFileDialogs.h"
#include "session/RunContext.h"
#include "support/FakePortLine.h"
#include "support/WidgetTestHelpers.h"

namespace vrx {
namespace {

TEST(WidgetFileDialogs, EachKindStartsInTheFolderLastUsedForItElseInHome) {
  QTemporaryDir dir;
  const QString home = dir.filePath("home");
  const QString templates = dir.filePath("templates");
  const QString protocols = dir.filePath("protocols");
  for (const QString& folder : {home, templates, protocols})
    ASSERT_TRUE(QDir().mkpath(folder));
  const QByteArray savedHome = qgetenv("HOME");
  qputenv("HOME", home.toUtf8());

  RealPacer pacer;
  PlainCursor cursor;
  RecordingMessages messages;
  RunContext context(pacer, cursor, messages, test::PlainNaming(), {}, dir.filePath("tool.ini"));
  QWidget parent;
  WidgetFileDialogs dialogs(&parent, context);
  const FileKind templateKind{"Templates", "Шаблоны (*.json)", "json"};
  const FileKind protocolKind{"Protocols", "CSV (*.csv)", "csv"};

  // Asks for a file of `kind`; the dialog is answered with `name` in `folder`, or cancelled.
  // Returns the folder the dialog started in and the path the call gave back.
  const auto ask = [&](const FileKind& kind, bool save, const QString& folder,
                       const QString& name) {
    QString started;
    QString caption;
    auto seen = test::OnNextModal([&](QWidget* modal) {
      // Anything else is closed, so that a failure ends the test instead of hanging it.
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (dialog == nullptr) {
        ADD_FAILURE() << modal->metaObject()->className();
        modal->close();
        return;
      }
      started = dialog->directory().absolutePath();
      caption = dialog->windowTitle();
      if (name.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->setDirectory(folder);
      // Typed, as a user does: selectFile leaves a focused name field alone and selects the
      // file in the list only once the dialog's model has read the folder, which it does in a
      // thread of its own.
      auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (field == nullptr) {
        ADD_FAILURE() << "no name field";
        dialog->reject();
        return;
      }
      field->setText(name);
      QMetaObject::invokeMethod(dialog, "accept");
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the dialog did not take " << name.toStdString();
        dialog->reject();
      }
    });
    const QString chosen =
        save ? dialogs.SaveFileName("Сохранить", kind) : dialogs.OpenFileName("Открыть", kind);
    EXPECT_TRUE(*seen);
    EXPECT_EQ(caption, save ? "Сохранить" : "Открыть");
    return QStringList{started, chosen};
  };

  QFile existing(templates + "/a.json");
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  // A cancelled dialog gives nothing and remembers nothing.
  EXPECT_EQ(ask(templateKind, false, templates, ""), (QStringList{home, ""}));
  EXPECT_EQ(ask(templateKind, false, templates, "a.json"),
            (QStringList{home, templates + "/a.json"}));
  // A bare name gets the kind's suffix; another kind still starts at home.
  EXPECT_EQ(ask(templateKind, true, templates, "b"),
            (QStringList{templates, templates + "/b.json"}));
  EXPECT_EQ(ask(protocolKind, true, protocols, "run"), (QStringList{home, protocols + "/run.csv"}));
  EXPECT_EQ(ask(protocolKind, true, protocols, ""), (QStringList{protocols, ""}));
  EXPECT_EQ(ask(templateKind, false, templates, "")[0], templates);
  ASSERT_TRUE(QDir(protocols).removeRecursively());
  EXPECT_EQ(ask(protocolKind, true, home, "")[0], home);

  qputenv("HOME", savedHome);
}

}  // namespace
}  // namespace vrx
