#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

class QLineEdit;
class QListWidget;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace vrx {

class ChmArchive;
class HelpBrowser;

// The help window: the contents and the index of the compiled help file beside the page, with
// back, forward and a contents button. One window serves the whole run; F1 shows a topic in it,
// Esc and Ctrl+W close it. The contents mark the entry of the page shown; the index has a search
// field that keeps the entries containing what is typed (Enter opens the first).
class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // `folders` are searched in order for the help file; the window belongs to `owner`.
  THelpForm(QStringList folders, QWidget* owner);
  ~THelpForm() override;

  // Opens the help file at first use and shows the topic ("VRX_L.chm::/4.htm") in the window.
  // A help file that cannot be found or opened throws EOwned; the window is then not shown.
  void ShowTopic(const QString& topic);
  // Shows `topic`, a page of message entries, at the entry of `message` when it has one.
  void ShowMessageTopic(const QString& topic, const QString& message);

  // The archive path of the page shown ("/4.htm"); empty before the first topic.
  QString CurrentPage() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenHelpFile(const QString& fileName);
  void FillContents();
  void FillIndex();
  void OpenLocal(const QString& local);
  void PageShown(const QUrl& source);
  void FilterIndex(const QString& text);
  void OpenIndexEntry();
  // Widens the contents so that its entries are whole, within a share of the window.
  void FitContents();

  QStringList folders_;
  QString fileName_;
  std::unique_ptr<ChmArchive> archive_;
  HelpBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QListWidget* index_ = nullptr;
  QLineEdit* indexSearch_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QToolButton* home_ = nullptr;
};

}  // namespace vrx
