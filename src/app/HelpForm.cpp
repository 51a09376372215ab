#include "app/HelpForm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "app/ChmArchive.h"
#include "app/HelpBrowser.h"
#include "app/HelpFiles.h"
#include "app/HelpMessages.h"
#include "app/HelpSitemap.h"
#include "model/Errors.h"

namespace vrx {

namespace {

constexpr int kWidth = 980;
constexpr int kHeight = 700;
constexpr int kContentsWidth = 280;
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

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  auto* side = new QTabWidget(splitter);
  side->setObjectName(QStringLiteral("HelpTabs"));
  contents_ = new QTreeWidget(side);
  contents_->setObjectName(QStringLiteral("tvContents"));
  contents_->setHeaderHidden(true);
  index_ = new QListWidget(side);
  index_->setObjectName(QStringLiteral("lbIndex"));
  side->addTab(contents_, QStringLiteral("Содержание"));
  side->addTab(index_, QStringLiteral("Указатель"));
  browser_ = new HelpBrowser(splitter);
  splitter->addWidget(side);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kContentsWidth, kWidth - kContentsWidth});

  auto* column = new QVBoxLayout(this);
  column->addLayout(buttons);
  column->addWidget(splitter, 1);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QToolButton::clicked, this,
          [this] { OpenLocal(QString::fromLatin1(kContentsPage)); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { PageShown(); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OpenLocal(item->data(0, kLocalRole).toString()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenLocal(item->data(kLocalRole).toString()); });
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
}

void THelpForm::FillIndex() {
  index_->clear();
  for (const SitemapEntry& entry : Sitemap(*archive_, QStringLiteral(".hhk"))) {
    auto* item = new QListWidgetItem(entry.name, index_);
    item->setData(kLocalRole, entry.local);
  }
}

void THelpForm::OpenLocal(const QString& local) {
  browser_->setSource(HelpBrowser::PageUrl(local));
}

void THelpForm::PageShown() {
  setWindowTitle(QStringLiteral("Справка — %1").arg(browser_->documentTitle()));
  // The contents follow the page: its first entry becomes the current one.
  const QString page = CurrentPage();
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    if (PagePath((*it)->data(0, kLocalRole).toString()) == page) {
      contents_->setCurrentItem(*it);
      return;
    }
  }
}

}  // namespace vrx
