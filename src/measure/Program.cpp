#include "measure/Program.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "measure/Details.h"
#include "measure/Settings.h"
#include "model/Span.h"

namespace tq {

namespace {

std::optional<int> PortNumberFrom(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > 4) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatClock(const DateTime& t) {
  static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int m = (t.month >= 1 && t.month <= 12) ? t.month - 1 : 0;
  char text[48];
  std::snprintf(text, sizeof text, "%d %s %04d %02d:%02d", t.day, kMonths[m], t.year, t.hour,
                t.minute);
  return text;
}

Program::Program(Ports ports)
    : ports_(ports),
      ers_(state_, model_, ports.view, link_, traces_, scan_, ports.ticks, ports.prompts,
           ports.files, *this),
      transducer_(state_, ports.files, *this),
      limit_(state_, model_, ports.view, ports.files, ports.prompts, *this),
      userLimits_(state_, ports.files, ports.prompts, limit_),
      features_{transducer_, limit_, ers_, single_, usb_},
      usb_(state_, ports.usb, ports.ticks, ports.prompts, ports.files, features_.inputs, *this),
      link_(state_, model_, ports.view, ports.serial, ports.ticks, ports.prompts, *this),
      traces_(state_, model_, ports.view, ports.files, ports.prompts, features_),
      scan_(state_, model_, ports.view, link_, traces_, ports.ticks, ports.prompts, features_),
      single_(state_, model_, ports.view, link_, traces_, scan_, limit_, usb_, ports.ticks,
              ports.prompts, ports.clock),
      painter_(state_, model_, traces_.data(), SourcesOf(features_)),
      pointer_(painter_, state_, model_, traces_, ports.view, ports.prompts, ports.ticks, *this),
      inputs_(state_, model_, ports.view, ports.prompts, ports.files, traces_, link_, transducer_),
      antennaEditor_(transducer_, ports.prompts, ports.files),
      final_({state_, model_, ports.view, link_, traces_, scan_, limit_, transducer_, usb_,
              pointer_, ports.ticks, ports.prompts, ports.files}),
      results_({state_, model_, ports.view, ports.prompts, ports.files, ports.clock, traces_, scan_,
                inputs_, transducer_, limit_, features_}),
      guideActions_({state_, model_, ports.view, scan_, traces_, limit_, inputs_, pointer_}),
      guide_(guideActions_, ports.prompts) {
  painter_.FollowMarker(final_.marker());
  scan_.ObserveSweeps(final_);
  mainTimer_ = ports_.ticks.createTimer(1000, [this] { MainTimerTimer(); });
  mainTimer_->setEnabled(true);
  clockTimer_ = ports_.ticks.createTimer(1000, [this] { Timer1Timer(); });
  clockTimer_->setEnabled(true);
  ApplySettingsDefaults(state_);
  // The window paints before the first timer tick: give it the start span to show.
  StartValues();
  state_.stepsPerScan = 500;
  FillDisplayGrid(state_);
}

void Program::StartValues() {
  state_.startFrequencyHz = kHighStartHz;
  state_.finishFrequencyHz = kHighFinishHz;
  state_.highRange = true;
  state_.title = "Title";
  state_.attenuationDb = 30;
  state_.preampGainDb = 0;
  state_.lisnInsertionLossDb = 20;
  state_.levelOffsetDb = 0;
}

void Program::MainTimerTimer() {
  mainTimer_->setEnabled(false);
  if (started_) return;
  StartUp();
}

void Program::StartUp() {
  // 1. Start defaults.
  mainTimer_->setEnabled(false);
  started_ = true;
  // The start-up waits on the analyser with the window live: a command taken meanwhile
  // (a sweep started, say) would have its frames thrown away by the steps that follow.
  model_.startingUp = true;
  model_.busyCursor = true;
  StartValues();
  state_.stepsPerScan = 500;
  state_.instrumentHighRange = true;
  state_.screenColours[kBorderColour] = 0xC0C0C0;
  state_.clearLinkFlags();
  state_.instrumentHighRange = true;

  // 2. Welcome window.
  ports_.view.showMessageWindow("Welcome to the TQ4800   Please Wait");

  // 3. Settings file.
  readSettingsAtStartUp();

  // 4. The USB adapter is searched for only when it is both allowed and needed.
  state_.usbLinkOk = false;
  if (state_.usbSearch != 0 && state_.ostrocellSelection != 0 &&
      ports_.files.exists(usb_.DeviceListPath()))
    usb_.DetectUsbAdapter();

  // 5-7. Fixed values, whatever the settings file said.
  applyFixedStartValues();

  // 9. Port menu tick.
  model_.checkedPort = state_.portNumber;
  ports_.view.modelChanged();

  // 10. Open the port and look for the analyser.
  link_.OpenPort();
  ports_.ticks.wait(1);
  if (ports_.serial.dsr()) {
    ports_.serial.setRts(true);
    state_.portConnected = true;
    link_.ConnectLink();
    state_.sendingBlocked = false;
    link_.ClearReceiveBuffer();
  } else {
    state_.portConnected = false;
    state_.linkEnabled = false;
    model_.lampColour = kClRed;
    ports_.view.modelChanged();
    ports_.prompts.message(MessageKind::Information, "TQ4800 Not Responding", Buttons::Ok);
    link_.SetStatus("Click to Enable", kClRed);
  }

  // 11. Hardware version.
  state_.hardwareVersion = 0.0f;
  link_.SendCommand(0x21, 0, 0);
  ports_.ticks.wait(2);

  // 12. Accessory lines; from here on a NAK is reported.
  link_.InitPreselectorLines();
  model_.startingUp = false;
  model_.busyCursor = false;
  ports_.view.hideMessageWindow();
  ports_.view.modelChanged();
  ports_.view.repaint();
  ports_.view.placeMessageWindow();
}

void Program::readSettingsAtStartUp() {
  const std::string path = std::string(kSettingsDir) + "tq4800.ini";
  std::optional<std::string> text;
  if (ports_.files.exists(path)) text = ports_.files.readAll(path);
  if (!text) {
    ports_.view.hideMessageWindow();
    ports_.prompts.message(MessageKind::Warning,
                           "INI File error ! Defaults Loaded. Re-Install any ERS Data",
                           Buttons::Ok);
    ApplySettingsDefaults(state_);
    askPortNumber();
    return;
  }
  const SettingsReadResult result = LoadSettings(*text, state_);
  if (result.badLine != 0) {
    // Lines before the bad one stay as read; the rest took the defaults.
    ports_.prompts.message(MessageKind::Warning,
                           "Invalid numeric format in line " + std::to_string(result.badLine) +
                               " of TQ4800.INI. Defaults Loaded for the rest of the file.",
                           Buttons::Ok);
  }
  if (result.defaultPathInvalid)
    ports_.prompts.message(MessageKind::Warning,
                           "Check for Correct Valid Default Path under File|Setup", Buttons::Ok);
  if (result.badLine != 0 && result.badLine <= 18 && !result.portRead) askPortNumber();
}

void Program::askPortNumber() {
  auto answer =
      ports_.prompts.inputBox("Communication Port Required", "Enter Com Port Number 1..4: ", "2");
  if (answer)
    if (auto port = PortNumberFrom(*answer)) state_.portNumber = *port;
}

void Program::applyFixedStartValues() {
  StartValues();
  state_.differenceInsertionLoss = false;
  state_.processingMode = 0;
  model_.showCurrent = true;
  model_.showStore = false;
  model_.showDifference = false;
  model_.showArchive = false;
  model_.preampSelectorEnabled = true;

  // On the logarithmic axis the span follows the log span index at the next paint.
  if (state_.logFrequencyAxis) state_.logSpanIndex = 2;
  state_.detector = 1;
  state_.runActive = false;
  state_.stepsPerScan = 500;

  // 8. Direct input, peak detector, span buttons; the input menu follows the range.
  inputs_.SelectDirectInput();
  scan_.PFS1Click();
  scan_.UpdateSpanButtons();
  FillDisplayGrid(state_);
  scan_.RefreshRunButtons();
}

bool Program::CloseQuery() {
  if (closing_) return false;
  if (ports_.prompts.message(MessageKind::Confirmation, "Close TQ4800 ?", Buttons::YesNo) !=
      Answer::Yes)
    return false;
  closing_ = true;
  // A run must not go on inside the waits below once the window is going.
  stopWhatRuns();
  state_.com1Checked = model_.checkedPort == 1;
  const std::string path = state_.defaultPath + "TQ4800.INI";
  if (!ports_.files.writeAll(path, SaveSettings(state_)))
    ports_.prompts.message(MessageKind::Error, WriteFailureText(ports_.files, path), Buttons::Ok);
  if (state_.portConnected) {
    // The reset frame goes out whatever the queue and the link flags say.
    const Frame reset = BuildFrame(0x80, 0, 0);
    if (ports_.serial.isOpen()) ports_.serial.write(reset.view());
  }
  ports_.ticks.wait(2);
  // Nothing is sent once the port is closed, whatever handler is still unwinding.
  state_.linkEnabled = false;
  link_.ClosePort();
  clockTimer_->setEnabled(false);
  return true;
}

void Program::Exit1Click() {
  ports_.view.closeMainWindow();
}

void Program::Reset1Click() {
  if (ports_.prompts.message(MessageKind::Warning,
                             "Resetting Hardware will Clear all Information not Already Saved",
                             Buttons::OkCancel) != Answer::Ok)
    return;
  link_.SendCommand(0x80, 0, 0);
  traces_.ClearTraces();
  state_.scansDone = 1;
  state_.processingMode = 0;
  model_.stepPanelText.clear();

  state_.dbmUnits = false;
  state_.logFrequencyAxis = false;
  StartValues();
  model_.rangeLabelText = "HIGH RANGE";
  state_.measurementMode = 0;
  model_.frequencyBoxText.clear();
  state_.sendingBlocked = false;
  scan_.UpdateSpanButtons();
  scan_.RefreshRunButtons();
  ports_.view.repaint();
}

void Program::SetScreenColours(const std::array<Colour, 8>& colours) {
  state_.screenColours = colours;
  ports_.view.repaint();
}

DetailsValues Program::Details() const {
  return {state_.delimiter, state_.defaultPath, model_.detailsVersionText, usb_.details()};
}

void Program::ApplyDetails(std::string_view delimiterField,
                           const std::optional<std::string>& pathField) {
  if (pathField) state_.defaultPath = DefaultPathFromField(*pathField);
  state_.delimiter = DelimiterFromField(delimiterField);
}

void Program::PreparePaint() {
  ApplyLogSpan(state_);
  // The input's own unit stands for dBuV (and for dBm where the input has one).
  model_.unitLabel = features_.inputs.UnitLabel(state_.dbmUnits);
  // The TQ4804 has a fixed attenuator and its own antenna.
  if (state_.tq4804Variant) state_.attenuationDb = 0;
  if (state_.measurementMode == 2 && model_.showStore)
    traces_.FindSingleFrequencyStorePoint(features_.single.FrequencyHz());
  // The painter draws the base line and then the companion line, which stays active.
  if (model_.showLimit) limit_.PrepareLines();
}

void Program::Execute(Command command) {
  using C = Command;
  if (model_.startingUp) return;
  // Limits: every row of the catalogue has the one handler.
  if (LimitCatalogueEntryOf(command)) {
    limit_.CatalogueEntryChosen(static_cast<std::size_t>(command) - kLimitCatalogue);
    ports_.view.modelChanged();
    return;
  }
  // STOP and CANCEL end a final measurement of peaks as they end a run.
  if (final_.Measuring() && (command == C::Button1 || command == C::Button2)) {
    final_.Stop(command == C::Button2);
    return;
  }
  switch (command) {
    case C::Setup1:
    case C::Colours1:
      break;  // the window opens these itself and passes their values back
    case C::Values1:
      pointer_.Values1Click();
      break;
    case C::Normal1:
    case C::N800x6001:
    case C::Enlarged1:
      // Laid out at the next paint, and kept by the settings file.
      state_.displaySize =
          static_cast<std::uint8_t>(static_cast<int>(command) - static_cast<int>(C::Normal1));
      ports_.view.repaint();
      break;
    case C::Exit1:
      Exit1Click();
      break;  // Beyond the text: the peak table (its window is the window's) and the CSV export.
    case C::PeakTable1:
      final_.Refresh();
      break;
    case C::ExportCSV1:
      final_.ExportCsv();
      break;
    // File: result files and the title (Open and Notes need the window's dialogs).
    case C::Save1:
      results_.Save1Click();
      break;
    case C::SaveAs1:
      results_.SaveAs1Click();
      break;
    case C::Title1:
      results_.Title1Click();
      break;
    case C::current1:
    case C::Button11:
      traces_.current1Click();
      break;
    case C::Store1:
    case C::Button12:
      traces_.Store1Click();
      break;
    case C::Difference1:
    case C::Button13:
      traces_.Difference1Click();
      break;
    case C::Archive1:
    case C::Button15:
      traces_.Archive1Click();
      break;
    case C::limit1:
    case C::Button14:
      traces_.limit1Click();
      break;
    case C::Diffemit:
      traces_.SetDifferenceMode(false);
      break;
    case C::Diffil:
      traces_.SetDifferenceMode(true);
      break;
    case C::Clear1:
      traces_.ClearTraces();
      scan_.ResetLostPeak();
      break;
    case C::Off1:
      traces_.SetProcessingMode(0);
      break;
    case C::Average81:
      traces_.SetProcessingMode(1);
      break;
    case C::Average161:
      traces_.SetProcessingMode(2);
      // Until the run buttons are next refreshed.
      model_.runEnabled = false;
      break;
    case C::Average321:
      traces_.SetProcessingMode(3);
      break;
    case C::Peak1:
      traces_.SetProcessingMode(4);
      break;
    case C::ResetCalculation1:
      traces_.ResetCalculation();
      scan_.ResetLostPeak();
      break;
    case C::PFS1:
      scan_.PFS1Click();
      break;
    case C::Average1:
      scan_.Average1Click();
      break;
    case C::QP1:
      scan_.QP1Click();
      break;
    // Inputs
    case C::Direct1:
    case C::NX101:
    case C::NX201:
    case C::NX241:
    case C::NX301:
    case C::NX401:
    case C::NX501:
    case C::KVP1:
    case C::kvp2:
    case C::Ostrocell1:
    case C::LISN1:
      inputs_.Select(*FindInputEntry(command));
      break;
    case C::CreateAntennafile1:
      inputs_.CreateAntennafile1Click();
      break;
    case C::Selectuserantenna1:
      inputs_.Selectuserantenna1Click();
      break;
    case C::NX90PreSelector1:
      scan_.NX90PreSelector1Click();
      break;
    case C::NX91PreSelector1:
      scan_.NX91PreSelector1Click();
      break;
    case C::Com11:
    case C::Com21:
    case C::Com31:
    case C::Com41:
      link_.ComClick(1 + static_cast<int>(command) - static_cast<int>(C::Com11));
      break;
    case C::Reset1:
      Reset1Click();
      break;
    case C::Button1:
      scan_.Button1Click();
      break;
    case C::Button2:
      scan_.Button2Click();
      break;
    case C::Button3:
      pointer_.Button3Click();
      break;
    case C::Button5:
      traces_.ToggleUnits();
      break;
    case C::Button6:
      scan_.Button6Click();
      break;
    case C::Button7:
      scan_.Button7Click();
      break;
    case C::Button8:
      scan_.Button8Click();
      break;
    case C::Button10:
      scan_.Button10Click();
      break;
    case C::Button16:
      scan_.Button16Click();
      break;
    case C::button18:
      traces_.StoreCurrent();
      break;
    case C::BitBtn3:
      scan_.StepSpan(-1);
      break;
    case C::BitBtn5:
      scan_.StepSpan(+1);
      break;
    case C::BitBtn4:
      scan_.WholeRange();
      break;
    case C::BitBtn7:
      pointer_.BitBtn7Click();
      break;
    case C::BitBtn8:
      pointer_.BitBtn8Click();
      break;
    // Single frequency
    case C::Button17:
      if (state_.measurementMode == 0) {
        ports_.view.hideValuesWindow();
        pointer_.ValuesClosed();
      }
      single_.Button17Click();
      break;
    case C::BitBtn1:
      single_.BitBtn1Click();
      break;
    case C::BitBtn2:
      single_.BitBtn2Click();
      break;
    // Processing: ERS (the window opens the calibration dialogs itself)
    case C::UERSH1:
      ers_.ApplyCorrection(1);
      break;
    case C::UERSV1:
      ers_.ApplyCorrection(2);
      break;
    case C::InstallERSdata1:
      ers_.InstallERSdata1Click();
      break;
    case C::ClearERSData1:
      ers_.ClearERSData1Click();
      break;
    case C::SaveERSCorrectionData1:
      ers_.SaveERSCorrectionData1Click();
      break;
    case C::ReLoadERSCorrectionData1:
      ers_.ReLoadERSCorrectionData1Click();
      break;
    default:
      break;  // menus, selectors and what is not built yet
  }
  ports_.view.modelChanged();
}

void Program::SelectInputForGuide(Command entry, int testCode) {
  if (const InputEntry* e = FindInputEntry(entry)) inputs_.Select(*e, testCode);
  ports_.view.modelChanged();
}

void Program::SaveCalibrationResult(const std::string& fileName) {
  // The calibration has already cleared the limit trace; the writer must not refill it.
  results_.WriteResults(fileName, true);
}

void Program::Timer1Timer() {
  model_.dateText =
      model_.loadedResultDate.empty() ? FormatClock(ports_.clock.now()) : model_.loadedResultDate;
  ports_.view.modelChanged();
}

}  // namespace tq
