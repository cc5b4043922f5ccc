// RiduDudoruvo through the real windows, offscreen: a whole chain from the main window's
// button to Set Analyser, and a grab of every window of the guide for a look by eye.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/TEMC1.h"
#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingPrinter.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"
#include "qt_test_app.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

// Answers the modal windows as they open, in the order given: each step runs once the window
// of its name is the active modal one.
class ModalScript {
 public:
  void then(const char* name, std::function<void(QDialog&)> step) {
    steps_.push_back({name, std::move(step)});
    if (steps_.size() == 1) poll();
  }
  bool finished() const { return steps_.empty(); }

 private:
  void poll() {
    if (steps_.empty()) return;
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal && modal->objectName() == steps_.front().first) {
      auto step = std::move(steps_.front().second);
      steps_.pop_front();
      step(*modal);
    }
    QTimer::singleShot(10, [this] { poll(); });
  }
  std::deque<std::pair<QString, std::function<void(QDialog&)>>> steps_;
};

void Click(QWidget& parent, const char* name) {
  auto* b = parent.findChild<QPushButton*>(name);
  ASSERT_NE(b, nullptr) << name;
  ASSERT_TRUE(b->isEnabled()) << name;
  b->click();
}

void Choose(QWidget& parent, const char* group, int id) {
  for (auto* g : parent.findChildren<QButtonGroup*>())
    if (g->parent()->objectName() == group) return g->button(id)->click();
  ADD_FAILURE() << group;
}

class GuideWindowTest : public ::testing::Test {
 protected:
  GuideWindowTest()
      : root(fs::temp_directory_path() /
             ("tq_guide_window_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    window = std::make_unique<TEMC1>();
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, *window, usb});
    program->state().defaultPath = "c:\\tq4800\\";
    window->attach(*program);
    window->setGuidePrinter(printer);
    window->show();
  }
  ~GuideWindowTest() override {
    program.reset();
    window.reset();
    fs::remove_all(root);
  }
  QDialog& form(const char* name) {
    auto* d = window->findChild<QDialog*>(name);
    EXPECT_NE(d, nullptr) << name;
    return *d;
  }
  void grab(QWidget& w, const std::string& name) {
    w.show();
    QApplication::processEvents();
    const QByteArray dir = qgetenv("TQ_SCREENSHOT_DIR");
    const QString path = (dir.isEmpty() ? QDir::tempPath() : QString(dir)) + "/guide_" +
                         QString::fromStdString(name) + ".png";
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
    // Every text of the window is shown whole: no control is narrower than it asks to be.
    for (auto* child : w.findChildren<QWidget*>()) {
      const bool text = qobject_cast<QPlainTextEdit*>(child) || qobject_cast<QLineEdit*>(child) ||
                        qobject_cast<QLabel*>(child);
      if (!child->isVisible() || text) continue;
      EXPECT_GE(child->width(), child->minimumSizeHint().width())
          << name << " " << child->objectName().toStdString();
    }
    w.hide();
  }

  test::QtTestApp app;
  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingPrinter printer;
  std::unique_ptr<TEMC1> window;
  std::unique_ptr<Program> program;
};

// EN55011 Class B, Group 1, conducted at 13.56 MHz, three phase with the KM902 and a 10 dB
// pre-amplifier, from the high range: Set Analyser leaves the window in the low range on a
// logarithmic axis with the LISN, the pre-amplifier, the limit and the attenuation it had.
TEST_F(GuideWindowTest, TheButtonLeadsThroughEn55011ToSetAnalyser) {
  auto* button4 = window->centralWidget()->findChild<QPushButton*>("Button4");
  ASSERT_TRUE(button4->isEnabled());
  ModalScript script;
  script.then("TDinfo", [](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Ridu Dudoruvo Information");
    Click(d, "OKBtn");
  });
  button4->click();
  QDialog& testDir = form("TestDir");
  ASSERT_TRUE(testDir.isVisible());
  EXPECT_EQ(testDir.findChild<QTabBar*>("TabControl1")->tabText(0), "EN55011 ");
  Click(testDir, "Button4");
  QDialog& en55011 = form("ClassEN55011");
  ASSERT_TRUE(en55011.isVisible());
  EXPECT_FALSE(testDir.isVisible());
  en55011.findChild<QLineEdit*>("Edit1")->setText("13.56");
  Choose(en55011, "Class1", 1);
  script.then("testtype", [](QDialog& d) { Click(d, "Button1"); });
  Click(en55011, "OKBtn");
  EXPECT_TRUE(prompts.wasShown(
      "Emissions at this frequency are unlimited, therefore peaks above limitline can be "
      "accepted in range 13.553 - 13.567 MHz ONLY"));
  EXPECT_EQ(program->limits().Name(), "EN55011 Class B, Groups 1+2 Mains");

  QDialog& testac = form("TDtestac");
  ASSERT_TRUE(testac.isVisible());
  EXPECT_EQ(testac.windowTitle(), "Test Type A");
  Choose(testac, "Phases", 1);
  Choose(testac, "Preamp1", 1);
  script.then("TDinfo", [](QDialog& d) { Click(d, "OKBtn"); });  // the three-phase note
  script.then("TDinstruct", [&](QDialog& d) {
    EXPECT_TRUE(d.findChild<QPlainTextEdit*>("instruct")->toPlainText().contains("KM902 LISN"));
    Click(d, "Button2");
    Click(d, "Button3");
  });
  Click(testac, "OKBtn");
  EXPECT_TRUE(script.finished());

  ASSERT_EQ(printer.pages.size(), 1u);
  EXPECT_TRUE(printer.pages[0].hasText("RIDU DUDORUVO INSTRUCTIONS : "));
  const MeasurementState& s = program->state();
  EXPECT_TRUE(s.logFrequencyAxis);
  EXPECT_EQ(s.startFrequencyHz, 100000);
  EXPECT_EQ(s.finishFrequencyHz, 30000000);
  EXPECT_EQ(window->centralWidget()->findChild<QLabel*>("Label2")->text(), "LOW RANGE");
  EXPECT_EQ(window->centralWidget()->findChild<QPushButton*>("Button3")->text(), "Lin");
  EXPECT_TRUE(window->findChild<QAction*>("LISN1")->isChecked());
  EXPECT_EQ(window->centralWidget()->findChild<QLabel*>("Label12")->text(), "LISN");
  EXPECT_EQ(window->findChild<QComboBox*>("ComboBox3")->currentText(), "  10");
  EXPECT_EQ(window->findChild<QComboBox*>("ComboBox1")->currentIndex(), 3);
  EXPECT_EQ(program->limits().Name(), "EN55011 Class B, Groups 1+2 Mains");
  EXPECT_TRUE(window->findChild<QAction*>("limit1")->isChecked());
  EXPECT_FALSE(form("TDinstruct").isVisible());
}

// Every standard in each region it is offered in, through its forms to the end of its chain:
// the instruction window's Set Analyser, or the limit where the chain ends there.
TEST_F(GuideWindowTest, EveryStandardReachesItsEndInEitherRegion) {
  using Step = std::pair<const char*, std::function<void(QDialog&)>>;
  const auto ok = [](QDialog& d) { Click(d, "OKBtn"); };
  const auto radiated = [](QDialog& d) {
    Choose(d, "testchoice", 1);
    Click(d, "Button1");
  };
  const auto conducted = [](QDialog& d) {
    Choose(d, "testchoice", 0);
    Click(d, "Button1");
  };
  const auto text = [](const char* field, const char* value) {
    return [=](QDialog& d) { d.findChild<QLineEdit*>(field)->setText(value); };
  };
  const auto choose = [](const char* group, int id) {
    return [=](QDialog& d) { Choose(d, group, id); };
  };
  struct Walk {
    int region, tab;
    std::vector<std::function<void(QDialog&)>> answers;
    std::vector<Step> modals;  // after the form's Continue, up to the test-method form
    const char* method;        // "" when none follows
    const char* limit;
    int input;  // 0: as it was
  };
  const auto instruct = Step{"TDinstruct", [](QDialog& d) { Click(d, "Button3"); }};
  const auto pick = [](const char* group, int id) {
    return [=](QDialog& d) {
      Choose(d, group, id);
      Click(d, "OKBtn");
    };
  };
  // clang-format off
  const Walk walks[] = {
      {1, 0, {}, {{"testtype", radiated}}, "TDtestB", "EN55011 Class A, Group 1 Radiated", 2},
      {2, 0, {}, {{"testtype", conducted}}, "TDtestac", "AS/NZS 2064.1/2 Class A Group 1 Mains", 9},
      {1, 1, {choose("RadioGroup1", 1)},
       {{"TDinfo", ok}, {"selectvcr", [](QDialog& d) {
          Choose(d, "RadioGroup1", 1);
          Choose(d, "RadioGroup2", 1);
          Click(d, "OKBtn");
        }}, instruct},
       "", "EN55013 FM Radio (Non Auto) Other", 8},
      {2, 1, {choose("RadioGroup1", 2)}, {{"selectRad", pick("RadioGroup1", 2)}}, "TDtestB",
       "AS/NZS 1053 TV+VCR Ch. Frequency <300MHz", 2},
      {1, 1, {choose("RadioGroup1", 3)}, {}, "TDtestD", "EN55013 Associated Equipment", 4},
      {1, 2, {choose("Group1", 0), choose("Group2", 1)},
       {{"testtype", conducted}, {"clicker", [](QDialog& d) {
          d.findChild<QLineEdit*>("Edit1")->setText("3");
          Click(d, "OKBtn");
        }}},
       "TDtestac", "EN55014 Tools <700W Mains", 9},
      {2, 2, {choose("Group1", 3), choose("Group2", 0)}, {{"testtype", radiated}}, "TDtestD",
       "AS/NZS 1044 Appliances Radiated", 4},
      {1, 3, {choose("lampgroup", 2)}, {}, "TDtestE", "EN55015 Lighting, Mains", 8},
      {2, 3, {choose("lampgroup", 3), text("lampfreq", "40000")}, {{"testtype", radiated}},
       "TdtestF", "AS/NZS 4051 Lighting, Mag Field 2m Loop", 3},
      {1, 3, {choose("lampgroup", 0), text("lampfreq", "50")}, {}, "", "none", 0},
      {1, 4, {choose("group1", 1)}, {{"testtype", conducted}}, "TDtestac",
       "EN55022 Class B Mains", 9},
      {2, 4, {choose("group1", 0)}, {{"testtype", radiated}}, "TDtestB",
       "AS/NZS 3548 Class A Radiated", 2},
      {1, 5, {choose("RadioGroup1", 5), choose("RadioGroup2", 1), choose("RadioGroup3", 6)}, {},
       "", "EN55025 TEM Cell Technique Narrowband Class 7", 0},
      {2, 5, {choose("RadioGroup1", 0)}, {}, "",
       "EN55025 Whole Vehicle Broadband Continuous Ignition Peak", 0},
      {1, 6, {choose("RadioGroup1", 1)}, {{"lineselect", ok}, instruct}, "",
       "EN60945 Current Probe", 8},
      {1, 7, {choose("RadioGroup1", 1), choose("radiogroup2", 1), choose("RadioGroup3", 2)},
       {{"clicker", [](QDialog& d) { Click(d, "CancelBtn"); }}}, "TDtestac",
       "EN50081-1 Tools 700W-1kW Non-Cont, Mains", 9},
      {2, 7, {choose("RadioGroup1", 0)}, {}, "TDtestB", "AS/NZS 4251.1 Radiated", 2},
      {1, 8, {choose("RadioGroup1", 1)}, {}, "TDtestac", "EN50081-2 Mains", 9},
  };
  // clang-format on
  ModalScript script;
  script.then("TDinfo", [](QDialog& d) { Click(d, "OKBtn"); });
  auto* button4 = window->centralWidget()->findChild<QPushButton*>("Button4");
  for (const Walk& w : walks) {
    const std::string what = std::to_string(w.region) + "/" + std::to_string(w.tab);
    const int inputBefore = program->transducer().InputCode();
    button4->click();
    QDialog& testDir = form("TestDir");
    Choose(testDir, "RadioGroup1", w.region - 1);
    testDir.findChild<QTabBar*>("TabControl1")->setCurrentIndex(w.tab);
    Click(testDir, "Button4");
    QDialog* shown = nullptr;
    for (auto* d : window->findChildren<QDialog*>())
      if (d->isVisible()) shown = d;
    ASSERT_NE(shown, nullptr) << what;
    for (const auto& answer : w.answers) answer(*shown);
    for (const Step& m : w.modals) script.then(m.first, m.second);
    Click(*shown, "OKBtn");
    if (*w.method) {
      QDialog& method = form(w.method);
      ASSERT_TRUE(method.isVisible()) << what;
      script.then("TDinstruct", [](QDialog& d) { Click(d, "Button3"); });
      Click(method, "OKBtn");
    }
    EXPECT_TRUE(script.finished()) << what;
    EXPECT_EQ(program->limits().Loaded() ? program->limits().Name() : "none", w.limit) << what;
    EXPECT_EQ(program->transducer().InputCode(), w.input ? w.input : inputBefore) << what;
  }
  EXPECT_EQ(program->limits().Table().clickAllowanceDb, 0);  // the last was Ignored
}

TEST_F(GuideWindowTest, EveryWindowOfTheGuideShowsItsTextsWhole) {
  QDialog& testDir = form("TestDir");
  auto* tabs = testDir.findChild<QTabBar*>("TabControl1");
  tabs->setCurrentIndex(6);
  grab(testDir, "TestDir_european");
  Choose(testDir, "RadioGroup1", 1);
  EXPECT_EQ(tabs->tabText(0), "2064.1/2");
  EXPECT_FALSE(testDir.findChild<QPushButton*>("Button4")->isEnabled());
  grab(testDir, "TestDir_australian");
  Choose(testDir, "RadioGroup1", 0);
  EXPECT_TRUE(testDir.findChild<QPushButton*>("Button1")->isEnabled());

  for (const char* name :
       {"ClassEN55011", "ClassEN55013", "ClassEn55014", "ClassEN55015", "ClassEN55022",
        "ClassEN55025", "ClassEN60945", "EN50081a", "EN50081b", "selectvcr", "selectRad", "clicker",
        "lineselect", "testtype", "TDtestac", "TDtestB", "TDtestD", "TDtestE", "TdtestF"})
    grab(form(name), name);
  QDialog& en55025 = form("ClassEN55025");
  Choose(en55025, "RadioGroup1", 2);
  grab(en55025, "ClassEN55025_components");

  // The information and instruction windows with their longest texts.
  ModalScript script;
  script.then("TDinfo", [&](QDialog& d) {
    grab(d, "TDinfo_more_information");
    Click(d, "OKBtn");
  });
  Click(testDir, "Button1");
  Guide& guide = program->guide();
  guide.ChooseStandard(4, 1);
  guide.TestB(true);
  QDialog& instruct = form("TDinstruct");
  instruct.findChild<QPlainTextEdit*>("instruct")->setPlainText(QString::fromStdString([&] {
    std::string all;
    for (const auto& l : guide.Instructions()) all += l + "\n";
    return all;
  }()));
  grab(instruct, "TDinstruct");
}

}  // namespace
}  // namespace tq
