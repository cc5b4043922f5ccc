#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "corrections/LimitFiles.h"
#include "corrections/Transducer.h"
#include "corrections/UserAntennaEditor.h"
#include "corrections/UserLimitEditor.h"
#include "guide/Guide.h"
#include "link/Link.h"
#include "link/LinkClient.h"
#include "link/UsbAdapter.h"
#include "measure/Commands.h"
#include "measure/Details.h"
#include "measure/ErsCalibration.h"
#include "measure/FinalMeasurement.h"
#include "measure/GuideActions.h"
#include "measure/InputSelection.h"
#include "measure/ResultFiles.h"
#include "measure/ScanEngine.h"
#include "measure/SingleFrequency.h"
#include "model/CommandId.h"
#include "model/Features.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Ticks.h"
#include "platform/UsbI2cIo.h"
#include "traces/TraceSet.h"
#include "view/GraphPainter.h"
#include "view/GraphPointer.h"
#include "view/Information.h"
#include "view/PrintReport.h"

namespace tq {

// The outside world as the program's core sees it.
struct Ports {
  SerialPort& serial;
  Ticks& ticks;
  Prompts& prompts;
  Files& files;
  Clock& clock;
  MainView& view;
  UsbI2cIo& usb;
};

// The program's core behind the main window. It owns the measurement state, the link, the
// trace set, the scan engine, the features and the graph's painter and pointer, and offers
// the window its commands, its value controls, its painting and its mouse and keys.
class Program : public InformationSource,
                private LinkClient,
                private PointerClient,
                private AdapterClient,
                private LimitClient,
                private CorrectionContext,
                private CalibrationSaver {
 public:
  explicit Program(Ports ports);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The records the window shows. The measurement state is a plain record that the
  // settings, a result file or a test may set whole.
  MeasurementState& state() { return state_; }
  const MeasurementState& state() const { return state_; }
  const WindowModel& model() const { return model_; }
  const TraceData& traces() const { return traces_.data(); }
  const ScanEngine& scan() const { return scan_; }
  const Link& link() const { return link_; }
  const GraphPointer& pointer() const { return pointer_; }
  const UsbAdapter& usb() const { return usb_; }
  bool started() const { return started_; }

  // Start-up, the clock and the end.
  void MainTimerTimer();
  void StartUp();
  // The close question; true when the window may close.
  bool CloseQuery();
  void Timer1Timer();

  // Every command of the window's table.
  void Execute(Command command);
  CommandContext commandContext() const {
    CommandContext c{state_, model_, scan_.preselectorState(), transducer_.InputCode()};
    c.ersAppliedPlane = ers_.Tables().appliedPlane;
    c.ersCalibrated = ers_.Tables().holdsData;
    return c;
  }

  // The selectors and panels whose value the window passes on.
  void SelectAttenuation(int index) { scan_.ComboBox1Change(index); }
  void SelectSteps(int index) { scan_.ComboBox2Change(index); }
  void PreampTextChanged(std::string_view text) { scan_.ComboBox3Change(text); }
  std::string PreampBoxText() const { return scan_.ComboBox3Exit(); }
  void Panel5Click() { link_.Panel5Click(); }
  // Replaces every trace (an opened result file).
  void LoadTraces(const TraceData& data) {
    traces_.Load(data);
    ports_.view.repaint();
  }
  // The clock panel shows an opened result's own date until the next scan.
  void ShowLoadedResultDate(std::string date) { model_.loadedResultDate = std::move(date); }
  void SetScreenColours(const std::array<Colour, 8>& colours);
  void SetPrinterColours(const std::array<Colour, 6>& colours) { state_.printerColours = colours; }
  // File: the printed report of the measurement as it stands (the rules of a paint run
  // first, as they do before the window shows it). It reads the program: print it before
  // anything changes.
  ReportDocument Report();
  // The same report with the given page of the peak table in place of the window's (it must
  // outlive the document).
  ReportDocument Report(const PageSource& peakTablePage);
  DetailsValues Details() const;
  // The Details window closed: its delimiter field, and its path field after OK.
  void ApplyDetails(std::string_view delimiterField, const std::optional<std::string>& pathField);

  // The graph: the rules that run before a full paint, the paint itself and a live point.
  void PreparePaint();
  void DrawGraph(Canvas& canvas) { painter_.DrawGraph(canvas); }
  void PlotPoint(Canvas& canvas, int kind, int n) { painter_.PlotPoint(canvas, kind, n); }
  // The graph's mouse and keys; ignored while the start-up runs.
  void FormMouseDown(Canvas& canvas, int x, int y) {
    if (!model_.startingUp) pointer_.FormMouseDown(canvas, x, y);
  }
  void FormMouseMove(Canvas& canvas, int x, int y) {
    if (!model_.startingUp) pointer_.FormMouseMove(canvas, x, y);
  }
  void FormMouseUp(Canvas& canvas, int x, int y) {
    if (!model_.startingUp) pointer_.FormMouseUp(canvas, x, y);
  }
  void FormKeyDown(Canvas& canvas, GraphKey key, bool altOnly) {
    if (!model_.startingUp) pointer_.FormKeyDown(canvas, key, altOnly);
  }
  void ValuesClosed() { pointer_.ValuesClosed(); }

  // Limits: the active limit and what the limit dialogs work on.
  const LimitFiles& limits() const { return limit_; }
  UserLimitChoice& userLimitChoice() { return limit_; }
  // Loads record `record` of a built-in limit file (1 limit.def, 2 auslimit.def, 3
  // uslimit.def), as the guide and an opened result do.
  void SelectLimit(int fileSelector, int record) { limit_.LoadBuiltInLimit(fileSelector, record); }
  UserLimitEditor& userLimitEditor() { return userLimits_; }
  void GraphRepainted() { pointer_.GraphRepainted(); }

  // Inputs: the transducer in use and what the input dialogs show and give back.
  const Transducer& transducer() const { return transducer_; }
  LisnValues Lisn() const { return inputs_.Lisn(); }
  void ApplyLisn(const LisnValues& values) { inputs_.ApplyLisn(values); }
  // A click on the input panel reopens the LISN dialog while the LISN is the input.
  bool LisnIsInput() const { return transducer_.InputCode() == kLisnInput; }
  CellValues Cell() const { return inputs_.Cell(); }
  void AcceptCell(int type, std::string_view serialText) { inputs_.AcceptCell(type, serialText); }
  UserAntennaEditor& antennaEditor() { return antennaEditor_; }
  // The information window: its values, and its antenna distance click (true when the
  // distance dialog is to be shown; its ALT and STD set the method).
  InfoView Information() const override;
  bool AntennaDistanceClick() override { return inputs_.AntennaDistanceClick(); }
  void SetAntennaDistanceAlt(bool alt) override { state_.antennaDistanceAlt = alt; }
  // The guide selects inputs by their entries; its radiated tests set the distance.
  void SelectInputForGuide(Command entry, int testCode);

  // File: result files (Save, Save As, Open with its import options), title and notes.
  ResultFiles& results() { return results_; }
  const ResultFiles& results() const { return results_; }
  // Single frequency: the measurement, its settings dialog and the tune buttons held.
  SingleFrequencyMeasurement& single() { return single_; }
  const SingleFrequencyMeasurement& single() const { return single_; }
  SingleFrequencySettings TsfsettingsFormActivate() { return single_.FormActivate(); }
  void TsfsettingsOKBtnClick(const SingleFrequencySettings& s) { single_.OKBtnClick(s); }
  void TsfsettingsCancelBtnClick() { single_.CancelBtnClick(); }
  void BitBtn1MouseDown() { single_.BitBtn1MouseDown(); }
  void BitBtn1MouseUp() { single_.BitBtn1MouseUp(); }
  void BitBtn2MouseDown() { single_.BitBtn2MouseDown(); }
  void BitBtn2MouseUp() { single_.BitBtn2MouseUp(); }
  // ERS: the calibration and its dialogs' values, the correction tables and files.
  ErsCalibration& ers() { return ers_; }
  const ErsCalibration& ers() const { return ers_; }
  // Beyond the text: the peak table of the last sweep and the final measurement of its peaks.
  FinalMeasurement& finalMeasurement() { return final_; }
  PeakTableControl& peakTable() { return final_; }
  // RiduDudoruvo: the guide and the set-up it makes through the window's own operations.
  Guide& guide() { return guide_; }

  static constexpr const char* kSettingsDir = "C:\\tq4800\\";

 private:
  ReportDocument reportPage();
  // LinkClient
  void DataFrameReceived(const DataFrame& frame) override {
    if (final_.Measuring())
      final_.ReadingReceived(frame);
    else
      scan_.DataFrameReceived(frame);
  }
  void PreselectorReport(int position, bool automatic) override {
    scan_.PreselectorReport(position, automatic);
  }
  void SegmentStep() override { scan_.SegmentStep(); }
  int PreselectorState() const override { return scan_.preselectorState(); }
  void ResetPreselector() override { scan_.ForgetPreselector(); }
  void RangeMismatch() override { scan_.SendRangeWithDelay(); }
  bool ErsPeakSearch() const override { return features_.ers.PeakSearch(); }
  void StatusPolled() override { scan_.RefreshRunButtons(); }
  // PointerClient
  void UpdateSpanDisplay() override { scan_.UpdateSpanButtons(); }
  void SingleFrequencyPicked(std::int32_t hz) override { single_.FrequencyPicked(hz); }
  // AdapterClient
  void StopRun() override { stopWhatRuns(); }
  // LimitClient
  void RefreshLimitTrace() override { traces_.RefreshLimitTrace(); }
  float MeasuringDistanceM() const override { return features_.inputs.MeasuringDistanceM(); }
  // CorrectionContext
  bool PreselectorInCircuit() const override {
    const int s = scan_.preselectorState();
    return s >= 1 && s <= 4;
  }
  float RadiatedLimitDistanceM() const override {
    return features_.limit.Loaded() && features_.limit.Radiated() ? features_.limit.DistanceM()
                                                                  : 0.0f;
  }

  // CalibrationSaver: the result-file writer saves a calibration's measurement.
  void SaveCalibrationResult(const std::string& fileName) override;

  // CANCEL, a close or a fault: the run or the final measurement under way ends now.
  void stopWhatRuns() {
    if (final_.Measuring())
      final_.Stop(true);
    else if (state_.runInProgress)
      scan_.Stop();
  }

  // The values start-up and Hardware Reset both begin from.
  void StartValues();
  void readSettingsAtStartUp();
  void askPortNumber();
  void applyFixedStartValues();
  void Exit1Click();
  void Reset1Click();

  Ports ports_;
  MeasurementState state_;
  WindowModel model_;
  // ERS (features_.ers); it drives the scan engine declared further down.
  ErsCalibration ers_;
  Transducer transducer_;
  LimitFiles limit_;
  UserLimitEditor userLimits_;
  Features features_;
  // The USB adapter and the Ostrocell relay behind it (features_.relay).
  UsbAdapter usb_;
  Link link_;
  TraceSet traces_;
  ScanEngine scan_;
  // Single frequency (features_.single).
  SingleFrequencyMeasurement single_;
  GraphPainter painter_;
  GraphPointer pointer_;
  InputSelection inputs_;
  UserAntennaEditor antennaEditor_;
  FinalMeasurement final_;
  // Result files: made after everything an opened file restores.
  ResultFiles results_;
  GuideActions guideActions_;
  Guide guide_;
  std::unique_ptr<Timer> mainTimer_;
  std::unique_ptr<Timer> clockTimer_;
  bool started_ = false;
  bool closing_ = false;
};

// "d mmm yyyy hh:nn", as the clock panel shows it.
std::string FormatClock(const DateTime& t);

}  // namespace tq
