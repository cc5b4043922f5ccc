// The CSV files read back by an RFC 4180 parser of the test's own.
#include <gtest/gtest.h>

#include "analysis/Csv.h"

namespace tq {
namespace {

using Records = std::vector<std::vector<std::string>>;

// Quoted fields may hold commas, CR LF and doubled quotes; every record ends in CR LF.
Records Parse(const std::string& text) {
  Records records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.emplace_back(1);
      ++i;
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted);
  EXPECT_EQ(records.back(), std::vector<std::string>(1));  // the last record ended
  records.pop_back();
  return records;
}

TEST(Csv, FieldsThatNeedQuotesReadBackAsWritten) {
  const std::vector<std::string> fields{"plain", "EN55014, Appliances", "a \"quoted\" name",
                                        "two\r\nlines", ""};
  const Records back = Parse(CsvRecord(fields));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0], fields);
}

TEST(Csv, ThePeakTableWithItsUnitsAndTheOverallVerdict) {
  PeakTable t;
  t.unit = "dBuV";
  t.limitName = "EN55022 Class B Mains";
  PeakRow row{.peak = {'P', 273861, 50.5, 20.0, 70.5},
              .quasiPeak = {'Q', 274000, 42.0, 20.0, 62.0},
              .base = {true, 'A', 54.0, 8.0, 'Q', Verdict::Fail},
              .companion = {true, 'Q', 64.0, -2.0, 'Q', Verdict::Marginal},
              .verdict = Verdict::Fail,
              .detector = 'Q'};
  t.rows = {row, row};
  t.overall = Verdict::Fail;
  const Records r = Parse(PeakTableCsv(t));
  ASSERT_EQ(r.size(), 5u);  // header, units, two rows, overall
  for (const auto& record : r) EXPECT_EQ(record.size(), r[0].size());
  auto cell = [&](std::size_t record, const std::string& column) {
    const auto at = std::find(r[0].begin(), r[0].end(), column);
    EXPECT_NE(at, r[0].end()) << column;
    return r[record][static_cast<std::size_t>(at - r[0].begin())];
  };
  EXPECT_EQ(cell(1, "Level"), "dBuV");
  EXPECT_EQ(cell(2, "Final Frequency"), "0.2740");
  EXPECT_EQ(cell(2, "Read"), "42.0");
  EXPECT_EQ(cell(2, "Sweep"), "70.5");
  EXPECT_EQ(cell(2, "Average"), "");
  EXPECT_EQ(cell(2, "QP Margin"), "-2.0");
  EXPECT_EQ(cell(3, "Verdict"), "FAIL");
  EXPECT_EQ(cell(4, "Peak"), "Overall");
  EXPECT_EQ(cell(4, "Verdict"), "FAIL");
}

TEST(Csv, TheShownTracesWithFrequencyAndTheLimitLines) {
  TraceData d;
  d.currentTrace.fill(40);
  d.differenceTrace.fill(-3);
  std::array<float, kTracePoints> f{};
  for (std::size_t n = 0; n < kTracePoints; ++n) f[n] = 30e6f + 2e6f * static_cast<float>(n);
  LimitTable base;
  base.entryCount = 3;
  base.points[1] = {30000000, 30, 0};
  base.points[2] = {230000000, 30, 0};
  const LimitLines lines = LinesOf(&base, &base, {3.0f, false});
  ShownTraces shown;
  shown.difference = true;
  shown.differenceInsertionLoss = true;
  const Records r = Parse(TracesCsv(d, f, shown, lines, "dBuV/m"));
  ASSERT_EQ(r.size(), 2u + kTracePoints);
  EXPECT_EQ(r[0], (std::vector<std::string>{"Frequency", "Current", "Difference", "Limit"}));
  EXPECT_EQ(r[1], (std::vector<std::string>{"MHz", "dBuV/m", "dB", "dBuV/m"}));
  EXPECT_EQ(r[2], (std::vector<std::string>{"30.000000", "40", "-3", ""}));  // at the first point
  EXPECT_EQ(r[3], (std::vector<std::string>{"32.000000", "40", "-3", "30.0"}));
}

}  // namespace
}  // namespace tq
