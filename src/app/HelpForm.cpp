#include "app/HelpForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/ChmArchive.h"
#include "app/HelpBrowser.h"
#include "app/HelpFiles.h"
#include "app/HelpMessages.h"
#include "app/HelpSitemap.h"
#include "model/Errors.h"
#include "report/ProgramData.h"

namespace vrx {

namespace {

constexpr int kWidth = 980;
constexpr int kHeight = 700;
constexpr int kContentsWidth = 280;
// The contents take at most this share of the window's width; a longer entry scrolls.
constexpr double kContentsShare = 0.45;
constexpr int kLocalRole = Qt::UserRole;
// The page the contents button opens.
const char* const kContentsPage = "contents.htm";

QToolButton* ToolButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  return button;
}

// The entries of the archive's first object with the given extension.
std::vector<SitemapEntry> Sitemap(const ChmArchive& archive, const QString& extension) {
  for (const QString& path : archive.Paths()) {
    if (path.endsWith(extension, Qt::CaseInsensitive)) {
      if (const std::optional<QByteArray> data = archive.Read(path))
        return ParseSitemap(QString::fromUtf8(*data));
    }
  }
  return {};
}

QString PagePath(const QString& local) {
  QString path = local.section(QLatin1Char('#'), 0, 0);
  if (!path.startsWith(QLatin1Char('/')))
    path.prepend(QLatin1Char('/'));
  return path;
}

}  // namespace

THelpForm::THelpForm(QStringList folders, QWidget* owner)
    : QWidget(owner, Qt::Window), folders_(std::move(folders)) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Справка"));
  // The least size keeps the contents beside a page of readable width.
  setMinimumSize(fontMetrics().averageCharWidth() * 100, fontMetrics().lineSpacing() * 25);
  resize(kWidth, kHeight);

  back_ = ToolButton(QStringLiteral("bnBack"), QStringLiteral("◀ Назад"), this);
  forward_ = ToolButton(QStringLiteral("bnForward"), QStringLiteral("Вперёд ▶"), this);
  home_ = ToolButton(QStringLiteral("bnContents"), QStringLiteral("Содержание"), this);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addWidget(home_);
  buttons->addStretch(1);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  auto* side = new QTabWidget(splitter_);
  side->setObjectName(QStringLiteral("HelpTabs"));
  contents_ = new QTreeWidget(side);
  contents_->setObjectName(QStringLiteral("tvContents"));
  contents_->setHeaderHidden(true);
  // Entries keep their whole text; a narrow pane scrolls sideways instead of cutting them.
  contents_->header()->setStretchLastSection(false);
  contents_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  contents_->setTextElideMode(Qt::ElideNone);
  // The entry of the page shown stays marked when the focus is in the page.
  QPalette marked = contents_->palette();
  marked.setColor(QPalette::Inactive, QPalette::Highlight,
                  marked.color(QPalette::Active, QPalette::Highlight));
  marked.setColor(QPalette::Inactive, QPalette::HighlightedText,
                  marked.color(QPalette::Active, QPalette::HighlightedText));
  contents_->setPalette(marked);
  auto* indexPage = new QWidget(side);
  indexSearch_ = new QLineEdit(indexPage);
  indexSearch_->setObjectName(QStringLiteral("edIndexSearch"));
  indexSearch_->setPlaceholderText(QStringLiteral("Искать в указателе"));
  indexSearch_->setClearButtonEnabled(true);
  index_ = new QListWidget(indexPage);
  index_->setObjectName(QStringLiteral("lbIndex"));
  auto* indexColumn = new QVBoxLayout(indexPage);
  indexColumn->setContentsMargins(0, 0, 0, 0);
  indexColumn->addWidget(indexSearch_);
  indexColumn->addWidget(index_, 1);
  side->addTab(contents_, QStringLiteral("Содержание"));
  side->addTab(indexPage, QStringLiteral("Указатель"));
  browser_ = new HelpBrowser(splitter_);
  splitter_->addWidget(side);
  splitter_->addWidget(browser_);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({kContentsWidth, kWidth - kContentsWidth});

  auto* column = new QVBoxLayout(this);
  column->addLayout(buttons);
  column->addWidget(splitter_, 1);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this,
          [this] { OpenLocal(QString::fromLatin1(kContentsPage)); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& source) { PageShown(source); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OpenLocal(item->data(0, kLocalRole).toString()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenLocal(item->data(kLocalRole).toString()); });
  connect(index_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenLocal(item->data(kLocalRole).toString()); });
  connect(indexSearch_, &QLineEdit::textChanged, this,
          [this](const QString& text) { FilterIndex(text); });
  connect(indexSearch_, &QLineEdit::returnPressed, this, [this] { OpenIndexEntry(); });
}

THelpForm::~THelpForm() {
  // The browser goes with the window's children, after the archive it reads: detach it first.
  browser_->SetArchive(nullptr);
}

void THelpForm::ShowTopic(const QString& topic) {
  const HelpTopic target = SplitHelpTopic(topic);
  if (archive_ == nullptr || target.file != fileName_)
    OpenHelpFile(target.file);
  OpenLocal(target.page);
  show();
  raise();
  activateWindow();
}

void THelpForm::ShowMessageTopic(const QString& topic, const QString& message) {
  const HelpTopic target = SplitHelpTopic(topic);
  if (archive_ == nullptr || target.file != fileName_)
    OpenHelpFile(target.file);
  const QString page =
      QString::fromUtf8(archive_->Read(PagePath(target.page)).value_or(QByteArray()));
  const QString anchor = MessageAnchor(page, message);
  ShowTopic(anchor.isEmpty() ? topic : topic + QLatin1Char('#') + anchor);
}

void THelpForm::keyPressEvent(QKeyEvent* event) {
  // The keys reach the window from whichever part has the focus, when that part has no use for
  // them.
  if (event->key() == Qt::Key_Escape ||
      (event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

QString THelpForm::CurrentPage() const {
  return browser_->source().path();
}

void THelpForm::OpenHelpFile(const QString& fileName) {
  const QString path = FindDataFile(folders_, fileName);
  if (path.isEmpty())
    throw EOwned(QStringLiteral("Файл справки %1 не найден. Искали в папках: %2")
                     .arg(fileName, folders_.join(QStringLiteral("; "))));
  std::unique_ptr<ChmArchive> archive = ChmArchive::Open(path);
  if (archive == nullptr)
    throw EOwned(QStringLiteral("Файл справки %1 не удалось открыть.").arg(path));
  browser_->SetArchive(archive.get());
  archive_ = std::move(archive);
  fileName_ = fileName;
  browser_->clearHistory();
  FillContents();
  FillIndex();
}

void THelpForm::FillContents() {
  contents_->clear();
  std::vector<QTreeWidgetItem*> parents;
  for (const SitemapEntry& entry : Sitemap(*archive_, QStringLiteral(".hhc"))) {
    parents.resize(static_cast<size_t>(qMin<int>(entry.depth, static_cast<int>(parents.size()))));
    auto* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, entry.name);
    item->setData(0, kLocalRole, entry.local);
    parents.push_back(item);
  }
  contents_->expandAll();
  FitContents();
}

void THelpForm::FitContents() {
  // The tab page around the tree takes a few pixels of frame on each side.
  constexpr int kTabFrame = 12;
  const QAbstractItemView* view = contents_;
  const int entries = view->sizeHintForColumn(0) + 2 * contents_->frameWidth() +
                      contents_->verticalScrollBar()->sizeHint().width() + kTabFrame;
  const int widest = static_cast<int>(width() * kContentsShare);
  const int side = std::clamp(entries, kContentsWidth, std::max(widest, kContentsWidth));
  splitter_->setSizes({side, std::max(width() - side, 1)});
}

void THelpForm::FillIndex() {
  index_->clear();
  for (const SitemapEntry& entry : Sitemap(*archive_, QStringLiteral(".hhk"))) {
    auto* item = new QListWidgetItem(entry.name, index_);
    item->setData(kLocalRole, entry.local);
  }
  FilterIndex(indexSearch_->text());
}

void THelpForm::FilterIndex(const QString& text) {
  const QString wanted = text.trimmed();
  QListWidgetItem* first = nullptr;
  for (int row = 0; row < index_->count(); ++row) {
    QListWidgetItem* item = index_->item(row);
    const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && first == nullptr)
      first = item;
  }
  index_->setCurrentItem(first);
}

void THelpForm::OpenIndexEntry() {
  if (QListWidgetItem* item = index_->currentItem(); item != nullptr && !item->isHidden())
    OpenLocal(item->data(kLocalRole).toString());
}

void THelpForm::OpenLocal(const QString& local) {
  browser_->setSource(HelpBrowser::PageUrl(local));
}

void THelpForm::PageShown(const QUrl& source) {
  setWindowTitle(QStringLiteral("Справка — %1").arg(browser_->documentTitle()));
  // The contents follow the page: its first entry becomes the current one, marked in bold. The
  // browser says which page it shows before source() has it.
  const QString page = source.path();
  QTreeWidgetItem* marked = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    const bool shown = marked == nullptr && PagePath((*it)->data(0, kLocalRole).toString()) == page;
    QFont font = (*it)->font(0);
    font.setBold(shown);
    (*it)->setFont(0, font);
    if (shown)
      marked = *it;
  }
  if (marked != nullptr) {
    contents_->setCurrentItem(marked);
    contents_->scrollToItem(marked);
  } else {
    contents_->clearSelection();
  }
}

}  // namespace vrx
