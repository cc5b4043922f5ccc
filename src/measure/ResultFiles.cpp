#include "measure/ResultFiles.h"

#include <algorithm>

#include "measure/Program.h"
#include "model/Span.h"
#include "results/Notes.h"

namespace tq {

std::string WithoutFolder(std::string_view name) {
  const std::size_t slash = name.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

ResultFiles::ResultFiles(Parts parts) : p_(parts) {
  TraceData d = p_.traces.data();
  const NotesLines notes = SplitNotes(kInitialNotes);
  d.notes = notes.lines;
  d.notesRest = notes.rest;
  p_.traces.Load(d);
}

// ---------------------------------------------------------------------------------------
// Writing

ResultHeader ResultFiles::header() const {
  const MeasurementState& s = p_.state;
  const WindowModel& m = p_.model;
  const SingleFrequencyRecord single = p_.features.single.Record();
  const LimitTable& limit = p_.limit.Table();
  ResultHeader h;
  h.dateText = m.dateText.empty() ? FormatClock(p_.clock.now()) : m.dateText;
  h.title = s.title;
  h.startFrequencyHz = s.startFrequencyHz;
  h.finishFrequencyHz = s.finishFrequencyHz;
  h.stepsPerScan = s.stepsPerScan;
  h.logFrequencyAxis = s.logFrequencyAxis;
  h.dbmUnits = s.dbmUnits;
  h.inputCode = p_.transducer.InputCode();
  h.delimiter = s.delimiter;
  h.attenuationDb = s.attenuationDb;
  h.showCurrent = m.showCurrent;
  h.showStore = m.showStore;
  h.showDifference = m.showDifference;
  h.showArchive = m.showArchive;
  // A number kept from a limit since cleared would bring that limit back on opening.
  h.limitNumber = p_.limit.Loaded() ? limit.recordNumber : 0;
  h.showLimit = m.showLimit && h.limitNumber > 0;
  h.notes = p_.traces.data().notes;
  h.ersSerialNumber = s.ersSerialNumber;
  h.samplingValue = single.samplingValue;
  h.singleFrequencyHz = single.frequencyHz;
  std::copy_n(single.timeLabels.begin(), h.timeLabels.size(), h.timeLabels.begin());
  h.detector = s.detector;
  h.differenceInsertionLoss = s.differenceInsertionLoss;
  h.lisnInsertionLossDb = s.lisnInsertionLossDb;
  h.lisnSource = p_.transducer.lisnSource();
  h.processingMode = s.processingMode;
  h.limitFileSelector = limit.fileSelector;
  h.ersPlane = p_.features.ers.Tables().appliedPlane;
  h.preampGainDb = s.preampGainDb;
  return h;
}

bool ResultFiles::WriteResults(const std::string& name, bool limitColumnCleared) {
  // A delimiter the file cannot carry becomes the one it is written with.
  std::string& setting = p_.state.delimiter;
  if (const std::string d = ResultDelimiter(setting); setting.substr(0, 1) != d) setting = d;
  if (!limitColumnCleared) p_.traces.RefreshLimitTrace();

  const TraceData& t = p_.traces.data();
  ResultColumns columns;
  std::copy(p_.state.stepFrequencyHz.begin(), p_.state.stepFrequencyHz.end(),
            columns.frequenciesHz.begin());
  columns.current = t.currentTrace;
  columns.store = t.storeTrace;
  if (!limitColumnCleared) columns.limit = t.limitTrace;
  columns.single = t.singleFrequencyTrace;
  if (!p_.files.writeAll(name, FormatResultFile(header(), columns, p_.features.ers.Tables()))) {
    p_.prompts.message(MessageKind::Error, WriteFailureText(p_.files, name), Buttons::Ok);
    return false;
  }
  return true;
}

void ResultFiles::Save1Click() {
  // Save is offered only once Save As has named a file.
  if (saveFileName_.empty()) return;
  if (p_.prompts.message(MessageKind::Confirmation,
                         "Do You Want to Overwrite File " + saveFileName_,
                         Buttons::YesCancel) != Answer::Yes)
    return;
  if (WriteResults(saveFileName_, false)) p_.model.saveEnabled = true;
  p_.view.modelChanged();
}

void ResultFiles::SaveAs1Click() {
  const auto name = p_.prompts.saveFileName("Save results to disk", kFilter, kFolder, "EMC");
  if (!name) return;
  saveFileName_ = *name;
  if (!WriteResults(*name, false)) return;
  p_.model.saveEnabled = true;
  p_.model.modelPanelText = WithoutFolder(*name);
  p_.view.modelChanged();
}

// ---------------------------------------------------------------------------------------
// Opening

std::optional<std::string> ResultFiles::Open1Click() {
  p_.features.single.EndView();
  p_.view.modelChanged();
  return p_.prompts.openFileName("Retrieve stored results", kFilter, kFolder);
}

bool ResultFiles::ErsHoldsData() const {
  const ErsTables& t = p_.features.ers.Tables();
  return t.holdsData[0] || t.holdsData[1];
}

void ResultFiles::OpenResult(const std::string& name, const ImportOptions& chosen) {
  // However the reading ends, the run buttons follow the mode it leaves.
  readResult(name, chosen);
  p_.scan.RefreshRunButtons();
}

void ResultFiles::readResult(const std::string& name, const ImportOptions& chosen) {
  MeasurementState& s = p_.state;
  WindowModel& m = p_.model;
  ImportOptions options = chosen;
  const bool storeChosen =
      options.currentAs == ImportAs::Store || options.storeAs == ImportAs::Store;
  const bool archiveChosen = options.currentAs == ImportAs::Archive ||
                             options.storeAs == ImportAs::Archive || options.differenceAsArchive;
  if (options.singleData) {
    s.measurementMode = 2;
    SingleFrequencyRecord single = p_.features.single.Record();
    single.archiveAvailable = true;
    p_.features.single.Restore(single);
  }
  if (!options.allData) options.importErs = false;
  if (storeChosen) m.showStore = true;
  if (archiveChosen) m.showArchive = true;

  m.singleEnabled = true;
  m.modelPanelText = WithoutFolder(name);
  limitNumber_ = p_.limit.Loaded() ? p_.limit.Table().recordNumber : 0;
  limitFileSelector_ = p_.limit.Table().fileSelector;

  // The file is read whole, once; every pass below reads the same text.
  const std::optional<std::string> text = p_.files.readAll(name);
  if (!text) {
    p_.prompts.message(MessageKind::Error, "Unable to read " + name, Buttons::Ok);
    p_.view.repaint();
    return;
  }
  const ResultLines lines(*text, kResultFileLines);

  if (options.allData) {
    if (!fullRead(lines, name, options.importErs)) {
      p_.view.repaint();
      return;
    }
    const bool needsHigh = s.finishFrequencyHz > kRangeSwitchHz && !s.highRange;
    const bool needsLow = s.finishFrequencyHz < kRangeSwitchHz && s.highRange;
    if (needsHigh || needsLow) {
      p_.scan.RangeChange(needsHigh);
      // The range change cleared the traces and the panel: the file is read again.
      m.modelPanelText = WithoutFolder(name);
      if (!fullRead(lines, name, options.importErs)) {
        p_.view.repaint();
        return;
      }
    }
    if (m.showLimit) m.limitEnabled = true;
    s.stepsPerScan = 500;
    p_.traces.SetDifferenceMode(s.differenceInsertionLoss);
    p_.scan.ComboBox1Change(s.attenuationDb / 10);
  }

  readData(lines);
  placeTraces(options, name);
  reloadLimit();
  p_.view.modelChanged();
  p_.view.repaint();
}

bool ResultFiles::fullRead(const ResultLines& lines, const std::string& name, bool importErs) {
  p_.inputs.ClearForResult();
  limitFileSelector_ = 1;
  const HeaderRead read = ReadResultHeader(lines);
  applyHeader(read);
  if (read.failedLine != 0) {
    p_.view.modelChanged();
    p_.prompts.message(
        MessageKind::Error,
        "Invalid numeric input in line " + std::to_string(read.failedLine) + " of " + name,
        Buttons::Ok);
    return false;
  }
  readData(lines);
  if (importErs) {
    ErsTables tables = p_.features.ers.Tables();
    const int filePlane = read.ersPlaneRead ? read.header.ersPlane : -1;
    const char d = p_.state.delimiter.empty() ? ';' : p_.state.delimiter.front();
    if (ReadErsBlock(lines, kResultHeaderLines + kResultDataLines, d, filePlane, tables))
      p_.features.ers.RestoreTables(tables);
  }
  chooseLogSpanIndex();
  return true;
}

void ResultFiles::applyHeader(const HeaderRead& read) {
  MeasurementState& s = p_.state;
  WindowModel& m = p_.model;
  const ResultHeader& h = read.header;
  // Only the lines before a number line that failed count.
  auto reached = [&read](int line) { return read.failedLine == 0 || line < read.failedLine; };
  SingleFrequencyRecord single = p_.features.single.Record();
  auto done = [&] {
    p_.features.single.Restore(single);
    m.inputLabels = p_.transducer.InputLabels();
  };

  m.loadedResultDate = h.dateText;
  m.dateText = h.dateText;
  s.title = h.title;
  if (!reached(6)) return done();
  s.startFrequencyHz = h.startFrequencyHz;
  if (!reached(7)) return done();
  s.finishFrequencyHz = h.finishFrequencyHz;
  if (!reached(8)) return done();
  s.stepsPerScan = h.stepsPerScan;
  s.logFrequencyAxis = h.logFrequencyAxis;
  s.dbmUnits = h.dbmUnits;
  if (!reached(11)) return done();
  p_.inputs.SelectForResult(h.inputCode);
  // An empty line 12 names no delimiter: the one in force stays.
  if (read.delimiterRead) s.delimiter = h.delimiter;
  if (!reached(13)) return done();
  s.attenuationDb = h.attenuationDb;
  m.showCurrent = h.showCurrent;
  m.showStore = h.showStore;
  m.showDifference = h.showDifference;
  m.showArchive = h.showArchive;
  TraceData d = p_.traces.data();
  d.notes = h.notes;
  p_.traces.Load(d);
  if (!reached(28)) return done();
  single.samplingValue = h.samplingValue;
  if (!reached(30)) return done();
  // Line 18 counts with the limit number of line 30.
  limitNumber_ = h.limitNumber;
  m.showLimit = h.showLimit && h.limitNumber > 0;
  if (!reached(31)) return done();
  single.frequencyHz = h.singleFrequencyHz;
  std::copy(h.timeLabels.begin(), h.timeLabels.end(), single.timeLabels.begin());
  if (!reached(37)) return done();
  s.detector = h.detector;
  s.differenceInsertionLoss = h.differenceInsertionLoss;
  if (read.lisnRead) {
    s.lisnInsertionLossDb = h.lisnInsertionLossDb;
    p_.transducer.SetLisnSource(h.lisnSource);
  }
  if (read.processingModeRead && h.processingMode >= 0 && h.processingMode <= 4)
    s.processingMode = h.processingMode;
  limitFileSelector_ = h.limitFileSelector;
  if (read.ersPlaneRead && h.ersPlane >= 0 && h.ersPlane <= 2) {
    ErsTables tables = p_.features.ers.Tables();
    tables.appliedPlane = h.ersPlane;
    if (h.ersPlane > 0) tables.holdsData[static_cast<std::size_t>(h.ersPlane - 1)] = true;
    p_.features.ers.RestoreTables(tables);
  }
  s.preampGainDb = h.preampGainDb;
  done();
}

void ResultFiles::readData(const ResultLines& lines) {
  TraceData d = p_.traces.data();
  ResultColumns buffers;
  buffers.frequenciesHz = fileFrequenciesHz_;
  buffers.current = d.fileCurrentTrace;
  buffers.store = d.fileStoreTrace;
  buffers.limit = d.limitTrace;
  buffers.single = d.singleFrequencyTrace;
  const char delimiter = p_.state.delimiter.empty() ? ';' : p_.state.delimiter.front();
  ReadResultData(lines, kResultHeaderLines, delimiter, buffers);
  fileFrequenciesHz_ = buffers.frequenciesHz;
  d.fileCurrentTrace = buffers.current;
  d.fileStoreTrace = buffers.store;
  d.limitTrace = buffers.limit;
  d.singleFrequencyTrace = buffers.single;
  p_.traces.Load(d);
}

void ResultFiles::placeTraces(const ImportOptions& options, const std::string& name) {
  WindowModel& m = p_.model;
  FrequencyGrid& grid = p_.state.stepFrequencyHz;
  std::copy_n(fileFrequenciesHz_.begin(), grid.size(), grid.begin());

  TraceData d = p_.traces.data();
  d.lastOpenedFile = name;
  auto place = [&](ImportAs as, const Trace& levels) {
    const TraceSource source{levels, fileFrequenciesHz_};
    switch (as) {
      case ImportAs::Archive:
        d.archiveSource = source;
        d.archiveInsertionLoss = false;
        m.showArchive = true;
        break;
      case ImportAs::Current:
        d.currentSource = source;
        m.showCurrent = true;
        break;
      case ImportAs::Store:
        d.storeSource = source;
        m.showStore = true;
        m.differenceEnabled = true;
        break;
      case ImportAs::DoNotImport:
        break;
    }
  };
  place(options.currentAs, d.fileCurrentTrace);
  place(options.storeAs, d.fileStoreTrace);
  RemapTrace(d.storeTrace, d.storeSource, grid);
  RemapTrace(d.archiveTrace, d.archiveSource, grid);
  RemapTrace(d.currentTrace, d.currentSource, grid);
  p_.traces.Load(d);
  p_.traces.ComputeDifference();

  if (!options.differenceAsArchive) return;
  d = p_.traces.data();
  d.archiveTrace = d.differenceTrace;
  d.archiveSource.levels = d.differenceTrace;
  d.archiveSource.frequenciesHz = fileFrequenciesHz_;
  d.archiveInsertionLoss = p_.state.differenceInsertionLoss;
  m.showArchive = true;
  p_.traces.Load(d);
}

void ResultFiles::reloadLimit() {
  const std::int32_t n = limitNumber_;
  if (n >= 1 && n <= 99) {
    p_.limit.LoadBuiltInLimit(limitFileSelector_, n);
  } else if (n >= 100 && n <= 199) {
    // The vehicle records live in a file of their own.
    p_.limit.LoadVehicleLimit(n);
  } else if (n >= 200 && n <= 255) {
    p_.limit.LoadUserLimit(n);
  }
}

void ResultFiles::chooseLogSpanIndex() {
  MeasurementState& s = p_.state;
  if (!s.logFrequencyAxis) return;
  if (s.startFrequencyHz == 100000) s.logSpanIndex = 1;
  if (s.startFrequencyHz == 10000) s.logSpanIndex = 4;
  if (s.finishFrequencyHz == 300000000) s.logSpanIndex = 3;
  if (s.finishFrequencyHz == 1000000000) s.logSpanIndex = 2;
}

// ---------------------------------------------------------------------------------------
// Title and notes

void ResultFiles::Title1Click() {
  const auto answer = p_.prompts.inputBox("Title", "Enter Display Title : ", p_.state.title,
                                          static_cast<int>(kResultTitleLength));
  if (!answer) return;
  const std::string_view line = std::string_view(*answer).substr(0, answer->find_first_of("\r\n"));
  p_.state.title = CutCharacters(line, kResultTitleLength);
  p_.view.repaint();
}

std::string ResultFiles::NotesText() const {
  const TraceData& d = p_.traces.data();
  return JoinNotes({d.notes, d.notesRest});
}

void ResultFiles::SetNotesText(std::string_view text) {
  const NotesLines notes = SplitNotes(text);
  TraceData d = p_.traces.data();
  d.notes = notes.lines;
  d.notesRest = notes.rest;
  p_.traces.Load(d);
}

}  // namespace tq
