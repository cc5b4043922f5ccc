#include "dialogs/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"

namespace tq {

namespace {

const QRegularExpression kTopicFile(R"(^(\d+)-[^/]*\.html$)");

int TopicNumberOfFile(const QString& fileName) {
  const auto match = kTopicFile.match(fileName);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QPushButton* ToolButton(const QString& caption, const char* name, QWidget* parent,
                        QBoxLayout* into) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  into->addWidget(b);
  return b;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), owner_(owner) {
  setObjectName("HelpWindow");
  setWindowTitle("TQ4800 Help");
  SetHelpTopic(this, help::kContents);

  auto* bar = new QHBoxLayout;
  QPushButton* home = ToolButton("Contents", "ContentsBtn", this, bar);
  back_ = ToolButton("< Back", "BackBtn", this, bar);
  forward_ = ToolButton("Forward >", "ForwardBtn", this, bar);
  bar->addStretch(1);
  back_->setShortcut(QKeySequence::Back);
  forward_->setShortcut(QKeySequence::Forward);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  tabs_ = new QTabWidget(this);
  contents_ = new QListWidget(tabs_);
  contents_->setObjectName("TopicList");
  contents_->setWordWrap(true);
  contents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tabs_->addTab(contents_, "Contents");
  auto* searchPage = new QWidget(tabs_);
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchEdit_ = new QLineEdit(searchPage);
  searchEdit_->setObjectName("SearchEdit");
  searchEdit_->setPlaceholderText("Words to find");
  results_ = new QListWidget(searchPage);
  results_->setObjectName("SearchResults");
  results_->setWordWrap(true);
  results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  searchLayout->addWidget(searchEdit_);
  searchLayout->addWidget(results_);
  tabs_->addTab(searchPage, "Search");

  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpText");
  browser_->setOpenExternalLinks(true);
  auto* split = new QSplitter(this);
  split->addWidget(tabs_);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({300, 680});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(split, 1);
  // Never larger than the screen: the program also runs on 800 x 600 displays.
  resize(QSize(980, 680).boundedTo(screen()->availableGeometry().size()));

  connect(home, &QPushButton::clicked, this, [this] { ShowHelpTopic(help::kContents); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::followSource);
  connect(contents_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowHelpTopic(item->data(Qt::UserRole).toInt()); });
  connect(contents_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowHelpTopic(item->data(Qt::UserRole).toInt()); });
  connect(searchEdit_, &QLineEdit::textChanged, this, &HelpWindow::showSearchResults);
  connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    ShowHelpTopic(item->data(Qt::UserRole).toInt());
    // The first word found is marked in the topic.
    const QStringList words = searchEdit_->text().split(' ', Qt::SkipEmptyParts);
    if (!words.isEmpty()) browser_->find(words.first());
  });

  qApp->installEventFilter(this);
}

void HelpWindow::setFolder(const QString& folder) {
  folder_ = folder;
  topics_.clear();
  contents_->clear();
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"*.html"}, QDir::Files)) {
    const int number = TopicNumberOfFile(name);
    if (number < 0) continue;
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    Topic t{number, dir.filePath(name), document.metaInformation(QTextDocument::DocumentTitle),
            document.toPlainText().toLower()};
    if (t.title.isEmpty()) t.title = name;
    topics_.push_back(std::move(t));
  }
  std::sort(topics_.begin(), topics_.end(),
            [](const Topic& a, const Topic& b) { return a.number < b.number; });
  for (const Topic& t : topics_) {
    auto* item = new QListWidgetItem(t.title, contents_);
    item->setData(Qt::UserRole, t.number);
  }
  browser_->setSearchPaths({folder});
}

const HelpWindow::Topic* HelpWindow::topicOf(int number) const {
  const auto it = std::find_if(topics_.begin(), topics_.end(),
                               [number](const Topic& t) { return t.number == number; });
  return it == topics_.end() ? nullptr : &*it;
}

void HelpWindow::ShowHelpTopic(int topic) {
  if (const Topic* t = topicOf(topic)) {
    const QUrl url = QUrl::fromLocalFile(t->path);
    if (browser_->source() != url || current_ != topic) browser_->setSource(url);
  } else {
    current_ = -1;
    browser_->setHtml(QString("<h2>Help topic %1</h2><p>The topic is not in the help folder "
                              "<tt>%2</tt>. The program's help may not be installed.</p>")
                          .arg(topic)
                          .arg(folder_.toHtmlEscaped()));
  }
  bringToFront();
}

void HelpWindow::bringToFront() {
  // A modal window blocks every window but its own; the help stays usable above it.
  QWidget* holder = QApplication::activeModalWidget();
  if (!holder || holder == this) holder = owner_;
  if (parentWidget() != holder) {
    const QRect placed = geometry();
    const bool wasShown = isVisible();
    setParent(holder, Qt::Window);
    if (wasShown) setGeometry(placed);
  }
  show();
  raise();
  activateWindow();
}

void HelpWindow::followSource(const QUrl& source) {
  current_ = TopicNumberOfFile(QFileInfo(source.toLocalFile()).fileName());
  const int topic = current_;
  for (int row = 0; row < contents_->count(); ++row) {
    if (contents_->item(row)->data(Qt::UserRole).toInt() != topic) continue;
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentRow(row);
  }
}

std::vector<int> HelpWindow::search(const QString& words) const {
  const QStringList wanted = words.toLower().split(' ', Qt::SkipEmptyParts);
  std::vector<std::pair<int, int>> found;  // hits, topic
  if (wanted.isEmpty()) return {};
  for (const Topic& t : topics_) {
    int hits = 0;
    bool all = true;
    for (const QString& w : wanted) {
      const int n = static_cast<int>(t.text.count(w) + t.title.toLower().count(w) * 5);
      all = all && n > 0;
      hits += n;
    }
    if (all) found.emplace_back(hits, t.number);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<int> topics;
  for (const auto& f : found) topics.push_back(f.second);
  return topics;
}

void HelpWindow::showSearchResults(const QString& words) {
  results_->clear();
  for (int number : search(words)) {
    auto* item = new QListWidgetItem(topicOf(number)->title, results_);
    item->setData(Qt::UserRole, number);
  }
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
  ShowHelpTopic(HelpTopicOf(static_cast<QWidget*>(watched)));
  return true;
}

}  // namespace tq
