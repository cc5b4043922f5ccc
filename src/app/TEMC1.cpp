#include "app/TEMC1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Widgets.h"
#include "corrections/LimitCatalogue.h"
#include "dialogs/DialogParts.h"
#include "dialogs/GuideWindows.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TCellform.h"
#include "dialogs/TERS.h"
#include "dialogs/TERSOK.h"
#include "dialogs/THkeeping.h"
#include "dialogs/TImport.h"
#include "dialogs/TInfo.h"
#include "dialogs/TLisndlg.h"
#include "dialogs/TNotebook.h"
#include "dialogs/TPeakTable.h"
#include "dialogs/TSpanish.h"
#include "dialogs/TUserantbox.h"
#include "dialogs/Tlimitselect.h"
#include "dialogs/Tscrncol.h"
#include "dialogs/Tsfsettings.h"
#include "dialogs/Tuserlimit.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"
#include "view/GraphTexts.h"
#include "view/Layouts.h"
#include "view/TextFit.h"

namespace tq {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A text control is written only when its text changed.
template <typename Widget>
void SetText(Widget* w, std::string& shown, const std::string& text) {
  if (shown == text) return;
  shown = text;
  w->setText(Q(text));
}

// A panel label shows as much of its text as its width takes, with "…" where it is cut
// (the whole text in its tool tip); a label that wraps keeps every word whole.
void SetFittedText(QLabel* label, const std::string& text, bool wraps) {
  const QFontMetrics metrics = label->fontMetrics();
  const TextWidth width = [&metrics](std::string_view s) {
    return metrics.horizontalAdvance(Q(s));
  };
  const int room = label->contentsRect().width();
  const QString fitted =
      Q(wraps ? FitWrappedText(text, room, width) : FitText(text, room, PanelElision(text), width));
  if (label->text() == fitted) return;
  label->setText(fitted);
  label->setToolTip(fitted == Q(text) ? QString() : Q(text));
}

}  // namespace

TEMC1::TEMC1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("EMC1");
  setWindowTitle("Veltrane Instruments Ltd    Fieldmark TQ4800");
  // Controls are laid out on a plain client area until the program exists; then the graph
  // takes them over (attach).
  client_ = new QWidget(this);
  client_->setObjectName("ClientArea");
  setCentralWidget(client_);
  commandWidgets_.resize(CommandTable().size());
  shownStates_.resize(CommandTable().size());
  newStates_.resize(CommandTable().size());
  help_ = new HelpWindow(this);
  SetHelpTopic(this, help::kMainWindow);
  scrncol_ = new Tscrncol(this, *this);
  hkeeping_ = new THkeeping(this, *help_);
  aboutBox_ = new TAboutBox(this);
  lisndlg_ = new TLisndlg(this, *help_);
  cellform_ = new TCellform(this);
  spanish_ = new TSpanish(this);
  userantbox_ = new TUserantbox(this);
  import_ = new TImport(this, *help_);
  notebook_ = new TNotebook(this);
  sfsettings_ = new Tsfsettings(this, *help_);
  ers_ = new TERS(this, *help_);
  erszoomform_ = new TERSzoomform(this, *help_);
  ersok_ = new TERSOK(this);
  info_ = new TInfo(this, *spanish_);
  // The windows without a Help button have their topic for F1.
  for (const auto& [window, topic] : {std::pair<QWidget*, int>{scrncol_, help::kDisplay},
                                      {aboutBox_, help::kContents},
                                      {cellform_, help::kOstrocell},
                                      {spanish_, help::kDistance},
                                      {userantbox_, help::kUserAntenna},
                                      {notebook_, help::kTitleAndNotes},
                                      {ersok_, help::kErsPeak},
                                      {info_, help::kInformation}})
    SetHelpTopic(window, topic);
  createMenus();
  createControls();
  connectControls();
  createRangeDelay();

  // The small message window for the welcome and busy texts.
  messageWindow_ = new QWidget(this, Qt::Tool | Qt::WindowStaysOnTopHint);
  messageWindow_->setObjectName("MessageWindow");
  messageWindow_->setWindowTitle("TQ4800 Message");
  messageText_ = new QLabel(messageWindow_);
  messageText_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(messageWindow_);
  layout->addWidget(messageText_);
  messageWindow_->resize(320, 80);

  applyLayout();
}

TEMC1::~TEMC1() = default;

std::size_t TEMC1::rowOf(Command command) const {
  const auto& table = CommandTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].id == command) return i;
  return table.size();
}

void TEMC1::createMenus() {
  std::map<std::string_view, QMenu*> menus;
  const auto& table = CommandTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const CommandEntry& e = table[i];
    QMenu* parent = e.parent.empty() ? nullptr : menus[e.parent];
    switch (e.kind) {
      case CommandKind::Menu: {
        QMenu* m = parent ? parent->addMenu(Q(e.caption)) : menuBar()->addMenu(Q(e.caption));
        m->setObjectName(Q(e.objectName));
        m->menuAction()->setCheckable(e.checkable);
        menus[e.objectName] = m;
        commandWidgets_[i].menu = m;
        break;
      }
      case CommandKind::Item: {
        if (!parent) break;
        QAction* a = parent->addAction(Q(e.caption));
        a->setObjectName(Q(e.objectName));
        a->setCheckable(e.checkable);
        const Command id = e.id;
        connect(a, &QAction::triggered, this, [this, id] { dispatch(id); });
        commandWidgets_[i].action = a;
        break;
      }
      case CommandKind::Separator:
        if (parent) parent->addSeparator();
        break;
      case CommandKind::Button:
      case CommandKind::Control:
        break;  // made with their places in createControls
    }
  }
}

void TEMC1::dispatch(Command command) {
  if (!program_ || program_->model().startingUp) return;
  if (dispatchLimitDialog(command) || dispatchPrinting(command)) {
    modelChanged();
    return;
  }
  switch (command) {
    case Command::Setup1: {
      // OK takes the path; the delimiter is taken either way.
      hkeeping_->FormActivate(program_->Details());
      const bool ok = hkeeping_->exec() == QDialog::Accepted;
      program_->ApplyDetails(
          hkeeping_->delimiterField(),
          ok ? std::optional<std::string>(hkeeping_->pathField()) : std::nullopt);
      break;
    }
    case Command::Colours1: {
      std::array<Colour, 8> colours = program_->state().screenColours;
      if (Colours1Click(*scrncol_, colours)) program_->SetScreenColours(colours);
      repaint();
      break;
    }
    case Command::Contents1:
      help_->ShowHelpTopic(help::kContents);
      break;
    case Command::About1:
      aboutBox_->FormActivate();
      aboutBox_->exec();
      break;
    // Inputs whose entry goes on to a dialog.
    case Command::LISN1:
      program_->Execute(command);
      openLisnDialog();
      break;
    case Command::Ostrocell1:
      program_->Execute(command);
      cellform_->FormActivate(program_->Cell());
      if (cellform_->exec() == QDialog::Accepted)
        program_->AcceptCell(cellform_->cellType(), cellform_->serialText());
      break;
    case Command::CreateAntennafile1:
      program_->Execute(command);
      userantbox_->run(program_->antennaEditor());
      repaint();
      break;
    // File: Open goes through the import options; the notes have their window.
    case Command::Open1:
      openResultFile();
      break;
    case Command::Notes1:
      notebook_->FormActivate(program_->results().NotesText());
      notebook_->exec();
      program_->results().SetNotesText(notebook_->text());
      break;
    case Command::PeakTable1:
      program_->Execute(command);
      peakTable_->open(LayoutForDisplaySize(program_->state().displaySize).width - 20);
      break;
    case Command::Button4:
      guide_->Button4Click();
      break;
    // Processing: ERS
    case Command::FullRange1:
    case Command::Zoomed1:
      openErsCalibration(command == Command::Zoomed1);
      break;
    default:
      program_->Execute(command);
      break;
  }
  modelChanged();
}

// Limits: the two user limit entries open their dialogs; every other row goes to the core.
bool TEMC1::dispatchLimitDialog(Command command) {
  const LimitCatalogueEntry* e = LimitCatalogueEntryOf(command);
  if (!e) return false;
  if (e->action == LimitAction::AddUserLimit) {
    userlimit_->FormActivate();
    userlimit_->exec();
    repaint();
    return true;
  }
  if (e->action == LimitAction::LoadUserLimit) {
    UserLimitChoice& choice = program_->userLimitChoice();
    if (const auto row = limitselect_->Choose(choice.ListUserLimits()))
      choice.UserLimitChosen(*row);
    choice.UserLimitListClosed();
    return true;
  }
  return false;
}

void TEMC1::openResultFile() {
  ResultFiles& results = program_->results();
  const auto name = results.Open1Click();
  if (!name) return;
  import_->FormActivate(*name, results.ErsHoldsData());
  if (import_->exec() == QDialog::Accepted) results.OpenResult(*name, import_->options());
}

void TEMC1::openLisnDialog() {
  if (!program_) return;
  lisndlg_->FormActivate(program_->Lisn());
  if (lisndlg_->exec() == QDialog::Accepted) program_->ApplyLisn(lisndlg_->values());
  modelChanged();
}

void TEMC1::openErsCalibration(bool zoomed) {
  ErsCalibration& ers = program_->ers();
  const auto values = ers.OpenCalibration(zoomed);
  if (!values) return;
  if (zoomed) {
    erszoomform_->FormActivate(*values);
    if (erszoomform_->exec() == QDialog::Accepted) ers.ZoomedOk(erszoomform_->choice());
    return;
  }
  ers_->FormActivate(*values);
  if (ers_->exec() != QDialog::Accepted) return;
  const auto peak = ers.FullRangeOk(ers_->polarisation());
  if (!peak) return;
  ersok_->FormActivate(*peak, ers);
  // OK is the dialog's only way on: closing it goes on as well.
  ersok_->exec();
  ers.PeakAccepted();
}

void TEMC1::attach(Program& program) {
  program_ = &program;
  limitselect_ = new Tlimitselect(this, *help_);
  userlimit_ = new Tuserlimit(this, program.userLimitEditor(), *limitselect_);
  SetHelpTopic(userlimit_, help::kUserLimitEditor);
  peakTable_ = new TPeakTable(this, program.peakTable());
  SetHelpTopic(peakTable_, help::kPeakTable);
  graph_ = new GraphArea(this, program, *this);
  graph_->setObjectName("Graph");
  graph_->adoptChildrenOf(client_);
  takeCentralWidget()->deleteLater();
  setCentralWidget(graph_);
  client_ = graph_;
  // After the graph, so that a search of the window by name meets its own controls first.
  guide_ = new GuideWindows(this, program.guide());
  statesShown_ = false;
  modelChanged();
}

void TEMC1::setHelpFolder(const QString& folder) {
  help_->setFolder(folder);
}

void TEMC1::setGuidePrinter(Printer& printer) {
  if (guide_) guide_->setPrinter(&printer);
}

void TEMC1::aboutToRender() {
  applyLayout();
  modelChanged();
}

void TEMC1::applyLayout() {
  const int size = program_ ? program_->state().displaySize : 0;
  const WindowLayout layout = LayoutForDisplaySize(size);
  if (layout.fontSize > 0 && font().pointSize() != layout.fontSize) {
    QFont f = font();
    f.setPointSize(layout.fontSize);
    setFont(f);
  }
  if (width() != layout.width || height() != layout.height) resize(layout.width, layout.height);
  if (size == appliedSize_) return;
  if (layout.moveToOrigin) move(0, 0);
  for (const ControlPlacement& p : layout.controls) {
    const auto found = placed_.find(p.name);
    if (found == placed_.end()) continue;
    QWidget* w = found->second;
    QRect r = w->geometry();
    if (p.left != kKeep) r.moveLeft(p.left);
    if (p.top != kKeep) r.moveTop(p.top);
    if (p.width != kKeep) r.setWidth(p.width);
    if (p.height != kKeep) r.setHeight(p.height);
    if (r != w->geometry()) w->setGeometry(r);
  }
  appliedSize_ = size;
  // The frequency box's font follows the new size.
  if (!shown_.frequencyBox.empty()) showFrequencyBox(Q(shown_.frequencyBox));
}

void TEMC1::modelChanged() {
  if (!program_) return;
  updateCommands();
  updateTexts();
  if (peakTable_ && peakTable_->isVisible()) peakTable_->refresh();
}

void TEMC1::updateCommands() {
  ComputeCommandStates(program_->commandContext(), newStates_);
  const auto& table = CommandTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const CommandState& s = newStates_[i];
    const CommandWidgets& w = commandWidgets_[i];
    // A checkable item ticks itself when chosen: one whose command was declined (a detector
    // warning cancelled) is set back.
    const bool tickDrifted = w.action && table[i].checkable && w.action->isChecked() != s.checked;
    if (statesShown_ && s == shownStates_[i] && !tickDrifted) continue;
    if (w.action) {
      w.action->setEnabled(s.enabled);
      if (table[i].checkable) w.action->setChecked(s.checked);
    }
    if (w.menu) {
      w.menu->setEnabled(s.enabled);
      w.menu->menuAction()->setEnabled(s.enabled);
      if (table[i].checkable) w.menu->menuAction()->setChecked(s.checked);
    }
    if (w.control) w.control->setEnabled(s.enabled);
    if (w.button) {
      w.button->setEnabled(s.enabled);
      if (!s.caption.empty()) w.button->setText(Q(s.caption));
    }
    shownStates_[i] = s;
  }
  statesShown_ = true;
}

void TEMC1::updateTexts() {
  const WindowModel& m = program_->model();
  const MeasurementState& s = program_->state();
  SetText(label5_, shown_.status, m.statusText);
  if (shown_.lamp != m.lampColour) {
    shown_.lamp = m.lampColour;
    shape1_->setColour(ToQColor(m.lampColour));
  }
  SetFittedText(panel10Text_, m.modelPanelText, false);
  SetText(panel7Text_, shown_.stepPanel, m.stepPanelText);
  SetText(panel2Text_, shown_.date, m.dateText);
  SetText(panel6Text_, shown_.title, s.title);
  SetText(label2_, shown_.rangeLabel, m.rangeLabelText);
  if (shown_.frequencyBox != m.frequencyBoxText) {
    shown_.frequencyBox = m.frequencyBoxText;
    showFrequencyBox(Q(m.frequencyBoxText));
  }
  SetText(label10_, shown_.detector, CaptionsFor(s).detectorLabel);
  for (std::size_t i = 0; i < inputLabels_.size(); ++i)
    SetFittedText(inputLabels_[i], m.inputLabels[i], true);
  SetText(label17_, shown_.cellRows, m.cellRowsText);

  const int attenuation = std::clamp(s.attenuationDb / 10, 0, 3);
  if (attenuation != shown_.attenuationIndex) {
    shown_.attenuationIndex = attenuation;
    comboBox1_->setCurrentIndex(attenuation);
  }
  const int steps = s.stepsPerScan == 250 ? 1 : s.stepsPerScan == 100 ? 2 : 0;
  if (steps != shown_.stepsIndex) {
    shown_.stepsIndex = steps;
    comboBox2_->setCurrentIndex(steps);
  }
  // The box is not rewritten under the user's typing.
  if (s.preampGainDb != shown_.preampGain && !comboBox3_->hasFocus()) {
    shown_.preampGain = s.preampGainDb;
    comboBox3_->setEditText(Q(program_->PreampBoxText()));
  }
  if (m.busyCursor != shown_.busy) {
    shown_.busy = m.busyCursor;
    setCursor(m.busyCursor ? Qt::WaitCursor : Qt::ArrowCursor);
  }
  if (s.tq4804Variant != shown_.variant) {
    shown_.variant = s.tq4804Variant;
    panel9_->setVisible(s.tq4804Variant);
  }
  label17_->hide();

  if (m.rangeDelaySeconds != shown_.rangeDelaySeconds) {
    shown_.rangeDelaySeconds = m.rangeDelaySeconds;
    progressBar1_->setValue(m.rangeDelaySeconds);
  }
  if (m.rangeDelayVisible != shown_.rangeDelayVisible) {
    shown_.rangeDelayVisible = m.rangeDelayVisible;
    if (m.rangeDelayVisible) {
      rangeDelay_->move(pos() + QPoint(120, 120));
      rangeDelay_->show();
    } else {
      rangeDelay_->hide();
    }
  }
}

void TEMC1::showFrequencyBox(const QString& text) {
  // "1100.0000 MHz" is wider than the box at the window's font: the box's font shrinks
  // until the whole text shows, down to 8 pixels.
  QFont f = font();
  const int room = edit1_->width() - 3;
  int pixels = QFontInfo(f).pixelSize();
  f.setPixelSize(pixels);
  while (pixels > 8 && QFontMetrics(f).horizontalAdvance(text) > room) f.setPixelSize(--pixels);
  edit1_->setFont(f);
  edit1_->setText(text);
  edit1_->setCursorPosition(0);
}

void TEMC1::repaint() {
  modelChanged();
  if (graph_) graph_->repaintGraph();
}

void TEMC1::plotPoint(int kind, int n) {
  if (graph_) graph_->plotPoint(kind, n);
}

void TEMC1::setPointerShape(PointerShape shape) {
  if (graph_) graph_->setPointerShape(shape);
}

void TEMC1::showValuesWindow() {
  if (graph_) graph_->showValuesWindow();
}

void TEMC1::hideValuesWindow() {
  if (graph_) graph_->hideValuesWindow();
}

void TEMC1::showValues(const ValueTexts& values) {
  if (graph_) graph_->answers().showValues(values);
}

// Single frequency: the pick that asks for the dialog is handled inside the graph's mouse
// event, which holds the graph's back buffer; the dialog opens once that has returned.
void TEMC1::openSingleFrequencySettings() {
  QTimer::singleShot(0, this, [this] {
    if (!program_) return;
    sfsettings_->FormActivate(program_->TsfsettingsFormActivate());
    if (sfsettings_->exec() == QDialog::Accepted)
      program_->TsfsettingsOKBtnClick(sfsettings_->values());
    else
      program_->TsfsettingsCancelBtnClick();
    modelChanged();
  });
}

void TEMC1::showMessageWindow(const std::string& text) {
  messageText_->setText(Q(text));
  messageWindow_->show();
  messageWindow_->raise();
  messageWindow_->repaint();
}

void TEMC1::hideMessageWindow() {
  messageWindow_->hide();
}

void TEMC1::placeMessageWindow() {
  messageWindow_->move(pos() + QPoint(10, 10));
}

void TEMC1::closeMainWindow() {
  close();
}

void TEMC1::closeEvent(QCloseEvent* event) {
  if (program_ && !program_->CloseQuery()) {
    event->ignore();
    return;
  }
  messageWindow_->hide();
  event->accept();
}

bool TEMC1::eventFilter(QObject* watched, QEvent* event) {
  // A click on the status panel retries the link.
  if (watched == panel5_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && program_) {
    program_->Panel5Click();
    modelChanged();
  }
  // A click on the input panel or its labels reopens the LISN dialog while it is the input.
  if (watched == panel8_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && program_ &&
      program_->LisnIsInput())
    openLisnDialog();
  // A click on the title panel asks for the title.
  if (watched == panel6_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && program_)
    dispatch(Command::Title1);
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tq
