#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/GraphArea.h"
#include "measure/Commands.h"
#include "model/WindowModel.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;

namespace tq {

class GuideWindows;
class HelpWindow;
class Lamp;
class Printer;
class Program;
class QtPrinter;
class TAboutBox;
class TBtnBottomDlg2;
class TInfo;
class TCellform;
class TERS;
class TERSOK;
class TERSzoomform;
class THkeeping;
class TImport;
class TNotebook;
class TPeakTable;
class TLisndlg;
class TSpanish;
class TUserantbox;
class Tlimitselect;
class Tscrncol;
class Tsfsettings;
class Tuserlimit;

// The main window. Its menus and buttons come from the command table; it forwards their
// events to the core and shows what the core's window model says, touching only what
// changed.
class TEMC1 : public QMainWindow, public MainView, private GraphAreaOwner {
 public:
  explicit TEMC1(QWidget* parent = nullptr);
  ~TEMC1() override;

  void attach(Program& program);
  // The printer the File menu prints on (the composition root owns it).
  void setPrinter(QtPrinter& printer) { printer_ = &printer; }
  // The folder of the help topics (the composition root finds the shipped help).
  void setHelpFolder(const QString& folder);
  HelpWindow* helpWindow() const { return help_; }

  // MainView
  void modelChanged() override;
  void repaint() override;
  void showMessageWindow(const std::string& text) override;
  void hideMessageWindow() override;
  void placeMessageWindow() override;
  void closeMainWindow() override;
  void plotPoint(int kind, int n) override;
  void setPointerShape(PointerShape shape) override;
  void showValuesWindow() override;
  void hideValuesWindow() override;
  void showValues(const ValueTexts& values) override;
  void openSingleFrequencySettings() override;

  // Applies the layout of the current display size (done before every full paint).
  void applyLayout();
  QWidget* messageWindow() const { return messageWindow_; }
  GraphArea* graph() const { return graph_; }
  // Inputs: the LISN dialog over the program's values.
  void openLisnDialog();
  // Processing: ERS. The calibration dialog, then (full range) the peak dialog.
  void openErsCalibration(bool zoomed);
  // RiduDudoruvo prints its instructions through this printer.
  void setGuidePrinter(Printer& printer);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The widget each row of the command table became.
  struct CommandWidgets {
    QAction* action = nullptr;
    QMenu* menu = nullptr;
    QWidget* control = nullptr;
    QPushButton* button = nullptr;
  };
  // What the window shows now, so that an update touches only what changed.
  struct Shown {
    std::string status, stepPanel, date, title, rangeLabel, frequencyBox, detector;
    std::string cellRows;
    Colour lamp = 0xFFFFFFFF;  // no colour yet
    int attenuationIndex = -1, stepsIndex = -1, preampGain = -1000000;
    int rangeDelaySeconds = -1;
    bool rangeDelayVisible = false, busy = false, variant = false;
  };

  void aboutToRender() override;
  void createMenus();
  void createControls();
  void connectControls();
  void createRangeDelay();
  void dispatch(Command command);
  bool dispatchLimitDialog(Command command);
  // File: the report, the screendump, the printer's set-up and colours; the information
  // window. False for any other command.
  bool dispatchPrinting(Command command);
  void openResultFile();
  void updateCommands();
  void updateTexts();
  void showFrequencyBox(const QString& text);
  std::size_t rowOf(Command command) const;
  QPushButton* button(Command command, QWidget* parent, QRect geometry);
  QFrame* panel(const char* name, QWidget* parent, QRect geometry);

  Program* program_ = nullptr;
  HelpWindow* help_ = nullptr;
  QWidget* client_ = nullptr;
  GraphArea* graph_ = nullptr;
  Tscrncol* scrncol_ = nullptr;
  THkeeping* hkeeping_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  Tlimitselect* limitselect_ = nullptr;
  Tuserlimit* userlimit_ = nullptr;
  TLisndlg* lisndlg_ = nullptr;
  TCellform* cellform_ = nullptr;
  TSpanish* spanish_ = nullptr;
  TUserantbox* userantbox_ = nullptr;
  TInfo* info_ = nullptr;
  TBtnBottomDlg2* btnBottomDlg2_ = nullptr;
  QtPrinter* printer_ = nullptr;
  // File: the import options of Open, and the notes.
  TImport* import_ = nullptr;
  TNotebook* notebook_ = nullptr;
  QFrame* panel6_ = nullptr;
  // Single frequency: the settings dialog.
  Tsfsettings* sfsettings_ = nullptr;
  TERS* ers_ = nullptr;
  TERSzoomform* erszoomform_ = nullptr;
  TERSOK* ersok_ = nullptr;
  GuideWindows* guide_ = nullptr;
  // Beyond the text: the peak table window.
  TPeakTable* peakTable_ = nullptr;
  QFrame* panel8_ = nullptr;
  std::array<QLabel*, 3> inputLabels_{};
  QFrame* panel5_ = nullptr;
  QFrame* panel9_ = nullptr;
  QLabel* label17_ = nullptr;
  QLabel* label5_ = nullptr;
  Lamp* shape1_ = nullptr;
  QLabel* panel10Text_ = nullptr;
  QLabel* panel2Text_ = nullptr;
  QLabel* panel6Text_ = nullptr;
  QLabel* panel7Text_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label10_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QComboBox* comboBox2_ = nullptr;
  QComboBox* comboBox3_ = nullptr;
  QWidget* rangeDelay_ = nullptr;
  QProgressBar* progressBar1_ = nullptr;
  QWidget* messageWindow_ = nullptr;
  QLabel* messageText_ = nullptr;

  std::vector<CommandWidgets> commandWidgets_;
  std::vector<CommandState> shownStates_;
  std::vector<CommandState> newStates_;
  bool statesShown_ = false;
  Shown shown_;
  // The controls the layouts place, by object name.
  std::map<std::string, QWidget*, std::less<>> placed_;
  int appliedSize_ = -1;
};

}  // namespace tq
