// Result files through the program: Save, Save As and Open with the import options, the
// header's failure path, the range switch and limit reload, the title and the notes.
#include <gtest/gtest.h>

#include <filesystem>

#include "doubles/FakeSerialPort.h"
#include "doubles/FixedClock.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "measure/Program.h"
#include "model/Span.h"
#include "platform/HostFiles.h"
#include "platform/NoUsbI2cIo.h"

namespace tq {
namespace {

namespace fs = std::filesystem;

class ResultFilesTest : public ::testing::Test {
 protected:
  ResultFilesTest()
      : root(fs::temp_directory_path() /
             ("tq_result_files_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files(root) {
    fs::remove_all(root);
    files.installShippedData(TQ_SOURCE_DATA_DIR);
    program = std::make_unique<Program>(Ports{port, ticks, prompts, files, clock, view, usb});
    program->state().defaultPath = "c:\\tq4800\\";
    clock.time = {2026, 2, 3, 14, 5, 0};
    ticks.advance(1000);  // start-up, with no analyser answering
    prompts.clear();
  }
  ~ResultFilesTest() override {
    program.reset();
    fs::remove_all(root);
  }

  MeasurementState& state() { return program->state(); }
  const TraceData& traces() const { return program->traces(); }

  // A measurement on the display grid of start..finish: a current and a store trace.
  void measure(std::int32_t start, std::int32_t finish) {
    state().startFrequencyHz = start;
    state().finishFrequencyHz = finish;
    state().highRange = finish > kLowFinishHz;
    FillDisplayGrid(state());
    TraceData d = traces();
    for (std::size_t n = 0; n < kTracePoints; ++n) {
      d.currentTrace[n] = static_cast<std::int32_t>(20 + n % 60);
      d.storeTrace[n] = static_cast<std::int32_t>(15 + n % 7);
    }
    program->LoadTraces(d);
  }

  void saveAs(const std::string& name) {
    prompts.fileName(name);
    program->Execute(Command::SaveAs1);
  }

  void open(const std::string& name, ImportOptions options = {}) {
    prompts.fileName(name);
    ASSERT_EQ(program->results().Open1Click(), name);
    program->results().OpenResult(name, options);
  }

  // The header line `line` (from 1) of the file replaced.
  void replaceLine(const std::string& name, int line, const std::string& text) {
    std::string contents = *files.readAll(name);
    std::size_t at = 0;
    for (int k = 1; k < line; ++k) at = contents.find('\n', at) + 1;
    contents.replace(at, contents.find('\r', at) - at, text);
    files.writeAll(name, contents);
  }

  bool enabled(Command id) const {
    const auto& table = CommandTable();
    std::vector<CommandState> states(table.size());
    ComputeCommandStates(program->commandContext(), states);
    for (std::size_t i = 0; i < table.size(); ++i)
      if (table[i].id == id) return states[i].enabled;
    return false;
  }

  fs::path root;
  HostFiles files;
  test::FakeSerialPort port;
  test::VirtualTicks ticks;
  test::ScriptedPrompts prompts;
  test::FixedClock clock;
  NoUsbI2cIo usb;
  test::RecordingView view;
  std::unique_ptr<Program> program;
  const std::string name = "C:\\tq4800\\RUN1.EMC";
};

TEST_F(ResultFilesTest, SavedResultsReopenOnTheSameGridWithTheDefaultOptions) {
  EXPECT_TRUE(enabled(Command::Open1));
  EXPECT_TRUE(enabled(Command::SaveAs1));
  EXPECT_FALSE(enabled(Command::Save1));
  EXPECT_TRUE(enabled(Command::Print1));
  measure(30000000, 230000000);
  state().title = "Mains port";
  state().delimiter = " x";  // a blank delimiter becomes ";" in the file and the setting
  const TraceData saved = traces();
  const FrequencyGrid grid = state().stepFrequencyHz;
  program->Timer1Timer();  // the clock panel shows the time
  saveAs(name);
  EXPECT_EQ(prompts.asked().back().caption, "Save results to disk");
  EXPECT_EQ(prompts.asked().back().text, "*.emc|*.emc");
  EXPECT_EQ(prompts.asked().back().extension, "EMC");
  EXPECT_EQ(state().delimiter, ";");
  EXPECT_EQ(program->model().modelPanelText, "RUN1.EMC");
  EXPECT_TRUE(enabled(Command::Save1));

  // Save asks first; Cancel leaves the file alone.
  const std::string first = *files.readAll(name);
  state().title = "Changed";
  prompts.answer(Answer::Cancel);
  program->Execute(Command::Save1);
  EXPECT_EQ(prompts.messages().back(), "Do You Want to Overwrite File " + name);
  EXPECT_EQ(*files.readAll(name), first);

  program->Execute(Command::Clear1);
  state().startFrequencyHz = kHighStartHz;
  state().finishFrequencyHz = kHighFinishHz;
  FillDisplayGrid(state());
  clock.time.day = 9;
  open(name);
  EXPECT_EQ(prompts.asked().back().caption, "Retrieve stored results");
  EXPECT_EQ(state().stepFrequencyHz, grid);
  EXPECT_EQ(traces().currentTrace, saved.currentTrace);
  EXPECT_EQ(traces().storeTrace, saved.storeTrace);
  EXPECT_EQ(state().title, "Mains port");
  EXPECT_EQ(state().stepsPerScan, 500);
  EXPECT_TRUE(program->model().showStore);
  // The clock shows the file's date until the next scan.
  program->Timer1Timer();
  EXPECT_EQ(program->model().dateText, "3 Feb 2026 14:05");
  EXPECT_EQ(prompts.messages().size(), 1u);
}

TEST_F(ResultFilesTest, ANumberLineWithoutAnIntegerStopsTheOpenKeepingWhatCameBefore) {
  measure(30000000, 230000000);
  state().title = "Before";
  saveAs(name);
  replaceLine(name, 8, "abc");
  program->Execute(Command::Clear1);
  state().title = "Now";
  state().stepsPerScan = 250;
  state().finishFrequencyHz = 1000000000;
  open(name);
  EXPECT_EQ(prompts.messages().back(), "Invalid numeric input in line 8 of " + name);
  EXPECT_EQ(state().title, "Before");
  EXPECT_EQ(state().finishFrequencyHz, 230000000);
  EXPECT_EQ(state().stepsPerScan, 250);
  EXPECT_EQ(traces().currentTrace[3], 0);  // the data were not read
}

TEST_F(ResultFilesTest, ADataOnlyOpenSplitsWithTheProgramsDelimiter) {
  measure(30000000, 230000000);
  state().delimiter = ",";
  saveAs(name);
  const Trace measured = traces().currentTrace;
  program->Execute(Command::Clear1);
  state().delimiter = ";";
  state().title = "Kept";
  ImportOptions dataOnly;
  dataOnly.allData = false;
  open(name, dataOnly);
  EXPECT_EQ(traces().currentTrace[7], 0);
  EXPECT_EQ(state().title, "Kept");
  state().delimiter = ",";
  // The active limit is reloaded from its own file, not from limit.def.
  program->SelectLimit(2, 5);
  const std::string limitName = program->limits().Name();
  program->Execute(Command::Button17);  // picking a single frequency
  open(name, dataOnly);
  EXPECT_FALSE(view.messageVisible);
  EXPECT_EQ(view.pointerShape, PointerShape::Default);
  EXPECT_EQ(state().measurementMode, 0);
  EXPECT_EQ(program->model().button17Caption, "Single");
  EXPECT_EQ(traces().currentTrace, measured);
  EXPECT_EQ(program->limits().Table().fileSelector, 2);
  EXPECT_EQ(program->limits().Name(), limitName);
  // The run buttons follow every import: single-frequency data show "Scan" at once.
  dataOnly.singleData = true;
  open(name, dataOnly);
  EXPECT_EQ(program->model().button17Caption, "Scan");
  EXPECT_FALSE(program->model().runEnabled);
}

TEST_F(ResultFilesTest, AFileOfTheOtherRangeSwitchesRangeAndRestoresInputAndLimit) {
  measure(150000, 30000000);
  program->Execute(Command::LISN1);
  program->ApplyLisn({1, 2});  // Neutral, 20 dB: line 39 holds 21
  program->SelectLimit(1, 4);
  state().logFrequencyAxis = true;
  state().startFrequencyHz = 10000;
  const Trace measured = traces().currentTrace;
  saveAs(name);
  EXPECT_NE(files.readAll(name)->find("\r\n      21\r\n"), std::string::npos);

  program->Execute(Command::Direct1);
  program->SelectLimit(1, 0);
  state().logFrequencyAxis = false;
  measure(kHighStartHz, kHighFinishHz);
  open(name);
  EXPECT_FALSE(state().highRange);
  EXPECT_EQ(state().logSpanIndex, 4);  // 10 kHz start, even after the range change
  EXPECT_EQ(program->transducer().InputCode(), kLisnInput);
  EXPECT_EQ(program->Lisn(), (LisnValues{1, 2}));
  EXPECT_EQ(program->limits().Table().recordNumber, 4);
  EXPECT_EQ(program->model().modelPanelText, "RUN1.EMC");
  EXPECT_EQ(traces().currentTrace, measured);

  // A vehicle limit comes back from its own file.
  replaceLine(name, 30, "  100");
  open(name);
  EXPECT_EQ(program->limits().Table().recordNumber, 100);
  for (const std::string& m : prompts.messages()) EXPECT_EQ(m.find("Not Found"), std::string::npos);
}

// A file of every part reopened and saved again: the program keeps what the file says,
// through the ERS and single-frequency features, except where the program decides.
TEST_F(ResultFilesTest, AReopenedFileIsSavedAsItWasRead) {
  const std::string golden = std::string(TQ_SOURCE_DIR) + "/tests/results/data/golden.emc";
  ImportOptions withErs;
  withErs.importErs = true;
  withErs.singleData = true;
  open(golden, withErs);
  EXPECT_EQ(state().measurementMode, 2);
  // A second open applies the file's plane to the tables the first one imported.
  open(golden);
  EXPECT_EQ(program->limits().Table().recordNumber, 21);
  saveAs(name);
  const std::string again = *files.readAll(name);
  const std::string original = *files.readAll(golden);
  const ResultLines a(again, kResultFileLines);
  const ResultLines b(original, kResultFileLines);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    // The limit load shows dBuV, Store was imported and so shown, the ERS serial number is
    // the program's own, and the limit column comes from the reloaded limit.
    if (i == 9 || i == 14 || i == 26) continue;
    if (i >= 47 && i < 548) {
      EXPECT_EQ(a[i].substr(0, 26), b[i].substr(0, 26)) << "line " << i + 1;
      EXPECT_EQ(a[i].substr(33), b[i].substr(33)) << "line " << i + 1;
    } else {
      EXPECT_EQ(a[i], b[i]) << "line " << i + 1;
    }
  }
}

TEST_F(ResultFilesTest, TheTitleAndTheNotes) {
  prompts.input(std::string(40, 'A'));
  program->Execute(Command::Title1);
  EXPECT_EQ(prompts.asked().back().text, "Enter Display Title : ");
  EXPECT_EQ(prompts.asked().back().defaultText, "Title");
  EXPECT_EQ(prompts.asked().back().maxLength, 30);
  EXPECT_EQ(state().title, std::string(30, 'A'));
  program->Execute(Command::Title1);  // cancelled
  EXPECT_EQ(state().title, std::string(30, 'A'));

  ResultFiles& results = program->results();
  EXPECT_EQ(results.NotesText(), ">\n\n\n\n\n\n\n\n\n\n\n.end");
  results.SetNotesText("EUT 4\nsecond\n3\n4\n5\n6\n7\n8\nninth");
  EXPECT_EQ(traces().notes[1], "second");
  program->Execute(Command::Clear1);  // empties lines 1 to 8
  EXPECT_EQ(results.NotesText(), "\n\n\n\n\n\n\n\nninth");
}

}  // namespace
}  // namespace tq
