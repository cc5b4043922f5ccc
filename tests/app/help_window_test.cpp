// The help window: every Help button, F1 and Help > Contents open their topics in it, and the
// shipped topics are whole (every topic number has its file, every link and menu path exists).
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <regex>
#include <set>

#include "app/TEMC1.h"
#include "dialogs/HelpWindow.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Commands.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;
const fs::path kHelp = fs::path(TQ_SOURCE_DATA_DIR) / "help";

std::string ReadAll(const fs::path& p) {
  QFile f(QString::fromStdString(p.string()));
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string{};
}

class HelpWindowTest : public ::testing::Test {
 protected:
  HelpWindowTest()
      : root(fs::temp_directory_path() / "tq_help_window"),
        files(root),
        program(Ports{port, ticks, prompts, files, clock, window, usb}) {
    window.attach(program);
    window.setHelpFolder(QString::fromStdString(kHelp.string()));
    help = window.helpWindow();
  }
  ~HelpWindowTest() override { fs::remove_all(root); }

  void pressF1(QWidget* w) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(w, &key);
  }

  test::QtTestApp app;
  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  TEMC1 window;
  Program program;
  HelpWindow* help = nullptr;
};

TEST_F(HelpWindowTest, EveryHelpButtonOpensItsTopic) {
  const std::pair<const char*, int> rows[] = {{"Hkeeping", 122},
                                              {"limitselect", 26},
                                              {"Lisndlg", 31},
                                              {"Import", help::kImportOptions},
                                              {"sfsettings", help::kSingleFrequencySettings},
                                              {"ERS", help::kErsCalibration},
                                              {"ERSzoomform", help::kErsZoomed}};
  for (const auto& [name, topic] : rows) {
    auto* dialog = window.findChild<QDialog*>(name);
    auto* button = dialog ? dialog->findChild<QPushButton*>("HelpBtn") : nullptr;
    ASSERT_TRUE(button && button->isEnabled()) << name;
    button->click();
    EXPECT_EQ(help->currentTopic(), topic) << name;
    EXPECT_TRUE(help->isVisible());
  }
  EXPECT_EQ(window.findChildren<QWidget*>("HelpWindow").size(), 1);
}

TEST_F(HelpWindowTest, HelpOverAModalDialogStaysUsableAndF1FollowsTheWindowInFront) {
  bool handled = false;
  QTimer::singleShot(50, [&] {
    auto* details = window.findChild<QDialog*>("Hkeeping");
    pressF1(details);
    EXPECT_EQ(help->currentTopic(), help::kDetails);
    // Above the modal dialog, not blocked by it.
    EXPECT_EQ(help->parentWidget(), details);
    handled = true;
    details->reject();
  });
  window.findChild<QAction*>("Setup1")->trigger();
  EXPECT_TRUE(handled);

  const std::pair<const char*, int> rows[] = {
      {"EMC1", help::kMainWindow},        {"TDinstruct", help::kGuideInstructions},
      {"TestDir", help::kGuide},          {"TDtestB", help::kGuideTestForms},
      {"clicker", help::kGuideQuestions}, {"answers", help::kZoomAndValues},
      {"ERSOK", help::kErsPeak},          {"PeakTable", help::kPeakTable}};
  for (const auto& [name, topic] : rows) {
    QWidget* w = window.objectName() == name ? &window : window.findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    pressF1(w);
    EXPECT_EQ(help->currentTopic(), topic) << name;
    EXPECT_EQ(help->parentWidget(), &window) << name;
  }
}

TEST_F(HelpWindowTest, ContentsSearchAndHistory) {
  window.findChild<QAction*>("Contents1")->trigger();
  EXPECT_EQ(help->currentTopic(), help::kContents);
  help->ShowHelpTopic(help::kLisn);
  help->ShowHelpTopic(help::kDetectors);
  help->browser()->backward();
  EXPECT_EQ(help->currentTopic(), help::kLisn);
  help->browser()->forward();
  EXPECT_EQ(help->currentTopic(), help::kDetectors);

  const std::vector<int> found = help->search("quasi-peak pre-scan");
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.front(), help::kDetectors);
  EXPECT_TRUE(help->search("no-such-word-anywhere").empty());
  help->ShowHelpTopic(4711);
  EXPECT_EQ(help->currentTopic(), -1);
  EXPECT_TRUE(help->browser()->toPlainText().contains("4711"));
}

// Every topic number has its file; every link reaches a file; every menu path a topic names
// is a path of the menus the window builds.
TEST(HelpTopicsTest, TopicsLinksAndMenuPathsExist) {
  std::set<int> files;
  for (const auto& e : fs::directory_iterator(kHelp)) {
    std::smatch m;
    const std::string name = e.path().filename().string();
    if (std::regex_match(name, m, std::regex(R"((\d+)-.*\.html)"))) files.insert(std::stoi(m[1]));
  }
  const std::string header = ReadAll(fs::path(TQ_SOURCE_DIR) / "src/model/HelpTopics.h");
  const std::regex number(R"(= (\d+);)");
  for (auto it = std::sregex_iterator(header.begin(), header.end(), number);
       it != std::sregex_iterator(); ++it)
    EXPECT_TRUE(files.count(std::stoi((*it)[1]))) << "no file for topic " << (*it)[1];

  std::map<std::string_view, std::string> pathOf;
  std::set<std::string> menuPaths;
  for (const CommandEntry& e : CommandTable()) {
    if (e.kind != CommandKind::Menu && e.kind != CommandKind::Item) continue;
    std::string caption(e.caption);
    std::erase(caption, '&');
    caption.erase(caption.find_last_not_of(' ') + 1);
    const std::string path = e.parent.empty() ? caption : pathOf[e.parent] + " > " + caption;
    pathOf[e.objectName] = path;
    menuPaths.insert(path);
  }
  const std::regex link(R"(href="([^"#:]+)\")"), menu(R"(<span class="menu">([^<]+)</span>)");
  for (const auto& e : fs::directory_iterator(kHelp)) {
    const std::string text = ReadAll(e.path());
    const std::string name = e.path().filename().string();
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
         it != std::sregex_iterator(); ++it)
      EXPECT_TRUE(fs::exists(kHelp / (*it)[1].str())) << name << " links " << (*it)[1];
    for (auto it = std::sregex_iterator(text.begin(), text.end(), menu);
         it != std::sregex_iterator(); ++it) {
      std::string path = std::regex_replace((*it)[1].str(), std::regex("&gt;"), ">");
      path = std::regex_replace(path, std::regex(R"(\s+)"), " ");
      path.erase(path.find_last_not_of(' ') + 1);
      EXPECT_TRUE(menuPaths.count(path)) << name << " names the menu path " << path;
    }
  }
}

}  // namespace
}  // namespace tq
