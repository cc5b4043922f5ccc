#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "platform/HelpViewer.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace tq {

// The help window: the HTML topics of one folder (N-name.html is topic N, 0 the contents),
// a list of them, a search over their words, and back and forward through what was read.
// F1 anywhere in the program opens the topic of the window in front.
class HelpWindow : public QWidget, public HelpViewer {
 public:
  // `owner` is the main window; the help window stays above it.
  explicit HelpWindow(QWidget* owner);

  // Reads the topics of `folder` (the shipped help).
  void setFolder(const QString& folder);
  void ShowHelpTopic(int topic) override;

  // The topic shown, -1 for none (a topic that was not found).
  int currentTopic() const { return current_; }
  // The topics whose text holds every word of `words`, best first, as topic numbers.
  std::vector<int> search(const QString& words) const;
  QTextBrowser* browser() const { return browser_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Topic {
    int number = 0;
    QString path;
    QString title;
    QString text;  // plain text, lower case, for the search
  };

  void showSearchResults(const QString& words);
  void followSource(const QUrl& source);
  void bringToFront();
  const Topic* topicOf(int number) const;

  QWidget* owner_;
  QString folder_;
  int current_ = -1;
  std::vector<Topic> topics_;
  QTabWidget* tabs_;
  QListWidget* contents_;
  QLineEdit* searchEdit_;
  QListWidget* results_;
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
};

}  // namespace tq
