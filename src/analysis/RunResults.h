#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/Json.h"
#include "model/PeakTable.h"

namespace tq {

// The results of an unattended run as files a CI server reads: the peak table in the run's
// summary.json, the run as a JUnit report, and each peak's margin against an earlier run's.

// The margin a row is judged on: the one of the line its verdict rests on, the lower margin
// (nearer the line) when both count. nullopt without a limit.
std::optional<double> DecidingMargin(const PeakRow& row);

// Every row, reading, line, margin and verdict with its unit.
Json PeakTableJson(const PeakTable& table, const std::vector<MarginTrend>& trends);

// The trend of each row of `table` against the baseline's test of the same name (its
// "peaks" array as PeakTableJson wrote it). Rows the baseline lacks are unmatched.
std::vector<MarginTrend> CompareWithBaseline(const PeakTable& table, const Json& baselineTest,
                                             int pointTolerance, double regressDb);

// One test of the run as the JUnit report gives it.
struct JUnitSuite {
  std::string name;
  const PeakTable* table = nullptr;  // nullptr: the test measured nothing
  std::vector<MarginTrend> trends;
  bool incomplete = false;
  std::string error;    // why it is incomplete
  bool strict = false;  // MARGINAL and a regression fail too
  double seconds = 0;
};

// <testsuites>: each test a test suite, each peak a test case that fails on FAIL (and, when
// strict, on MARGINAL or a regressed margin); a test that could not complete has an error.
std::string JUnitXml(const std::vector<JUnitSuite>& suites);

}  // namespace tq
