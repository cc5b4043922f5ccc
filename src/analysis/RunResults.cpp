#include "analysis/RunResults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tq {

namespace {

std::string Letter(char detector) {
  return detector ? std::string(1, detector) : std::string();
}

Json ReadingJson(const PeakReading& r) {
  return Json::Object{{"detector", Letter(r.detector)},
                      {"frequency_mhz", RoundedTo(r.frequencyHz / 1e6, 6)},
                      {"read_dbuv", RoundedTo(r.readDbuv, 2)},
                      {"correction_db", RoundedTo(r.correctionDb, 2)},
                      {"level", RoundedTo(r.level, 2)}};
}

Json LineJson(const LineCheck& line) {
  if (!line.present) return Json();
  return Json::Object{{"detector", Letter(line.detector)},
                      {"limit", RoundedTo(line.limit, 2)},
                      {"margin_db", RoundedTo(line.margin, 2)},
                      {"margin_from", Letter(line.marginDetector)},
                      {"verdict", std::string(VerdictText(line.verdict))}};
}

Json TrendJson(const MarginTrend& t) {
  if (!t.matched) return Json();
  return Json::Object{{"margin_db", RoundedTo(t.baselineMarginDb, 2)},
                      {"change_db", RoundedTo(t.changeDb, 2)},
                      {"regressed", t.regressed}};
}

Json RowJson(const PeakRow& row, const MarginTrend& trend) {
  Json::Object readings;
  if (row.peak.taken()) readings["peak"] = ReadingJson(row.peak);
  if (row.finalPeak.taken()) readings["final_peak"] = ReadingJson(row.finalPeak);
  if (row.quasiPeak.taken()) readings["quasi_peak"] = ReadingJson(row.quasiPeak);
  if (row.average.taken()) readings["average"] = ReadingJson(row.average);
  const auto margin = DecidingMargin(row);
  return Json::Object{
      {"point", row.point},
      {"frequency_mhz", RoundedTo(row.peak.frequencyHz / 1e6, 6)},
      {"readings", std::move(readings)},
      {"lines", Json::Object{{"base", LineJson(row.base)}, {"companion", LineJson(row.companion)}}},
      {"margin_db", margin ? Json(RoundedTo(*margin, 2)) : Json()},
      {"verdict", std::string(VerdictText(row.verdict))},
      {"verdict_detector", Letter(row.detector)},
      {"final", row.finalVerdict},
      {"lisn_line", row.lisnLine},
      {"baseline", TrendJson(trend)}};
}

std::string Escaped(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // XML 1.0 has no place for other control characters.
        out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ? ' ' : c;
    }
  }
  return out;
}

std::string Fixed(double v, int decimals, bool sign = false) {
  char text[32];
  std::snprintf(text, sizeof text, sign ? "%+.*f" : "%.*f", decimals, v);
  return text;
}

// Why a row fails its test case, or empty when it passes.
std::string RowFailure(const PeakRow& row, const MarginTrend& trend, bool strict) {
  const bool fails = row.verdict == Verdict::Fail || (strict && row.verdict == Verdict::Marginal);
  const bool regressed = strict && trend.regressed;
  if (!fails && !regressed) return {};
  std::string text = std::string(VerdictText(row.verdict));
  if (const auto m = DecidingMargin(row)) text += ", margin " + Fixed(*m, 1, true) + " dB";
  if (row.detector)
    text += " (" + Letter(row.detector) + (row.finalVerdict ? " final" : " sweep") + ")";
  if (trend.regressed) text += ", margin shrank by " + Fixed(-trend.changeDb, 1) + " dB";
  return text;
}

}  // namespace

std::optional<double> DecidingMargin(const PeakRow& row) {
  std::optional<double> m;
  for (const LineCheck* line : {&row.base, &row.companion})
    if (line->present && line->verdict != Verdict::None)
      m = m ? std::max(*m, line->margin) : line->margin;
  return m;
}

Json PeakTableJson(const PeakTable& table, const std::vector<MarginTrend>& trends) {
  Json::Array rows;
  for (std::size_t i = 0; i < table.rows.size(); ++i)
    rows.push_back(RowJson(table.rows[i], i < trends.size() ? trends[i] : MarginTrend{}));
  return Json::Object{{"unit", table.unit},
                      {"limit", table.limitName},
                      {"threshold_db", table.thresholdDb},
                      {"overall", std::string(VerdictText(table.overall))},
                      {"peaks", std::move(rows)}};
}

std::vector<MarginTrend> CompareWithBaseline(const PeakTable& table, const Json& baselineTest,
                                             int pointTolerance, double regressDb) {
  std::vector<MarginTrend> trends(table.rows.size());
  const Json* peaks = baselineTest.find("peak_table");
  peaks = peaks ? peaks->find("peaks") : nullptr;
  const Json::Array* then = peaks ? peaks->asArray() : nullptr;
  if (!then) return trends;
  std::vector<bool> used(then->size(), false);
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    const auto now = DecidingMargin(table.rows[i]);
    if (!now) continue;
    int best = -1;
    // In double: a baseline is a file from outside and its points may be any number.
    double bestDistance = pointTolerance + 1.0;
    for (std::size_t k = 0; k < then->size(); ++k) {
      const Json* point = (*then)[k].find("point");
      const Json* margin = (*then)[k].find("margin_db");
      if (used[k] || !point || !point->asNumber() || !margin || !margin->asNumber()) continue;
      const double distance = std::abs(*point->asNumber() - table.rows[i].point);
      if (distance < bestDistance) {
        best = static_cast<int>(k);
        bestDistance = distance;
      }
    }
    if (best < 0) continue;
    used[static_cast<std::size_t>(best)] = true;
    MarginTrend& t = trends[i];
    t.matched = true;
    t.baselineMarginDb = *(*then)[static_cast<std::size_t>(best)].find("margin_db")->asNumber();
    // Margins here are level minus limit: a rise is the emission coming closer to the line.
    t.changeDb = t.baselineMarginDb - *now;
    t.regressed = -t.changeDb > regressDb;
  }
  return trends;
}

std::string JUnitXml(const std::vector<JUnitSuite>& suites) {
  int tests = 0, failures = 0, errors = 0;
  std::string body;
  for (const JUnitSuite& s : suites) {
    int suiteTests = 0, suiteFailures = 0;
    std::string cases;
    if (s.table) {
      for (std::size_t i = 0; i < s.table->rows.size(); ++i) {
        const PeakRow& row = s.table->rows[i];
        const MarginTrend trend = i < s.trends.size() ? s.trends[i] : MarginTrend{};
        const std::string name = Fixed(row.peak.frequencyHz / 1e6, 4) + " MHz";
        const std::string failure = RowFailure(row, trend, s.strict);
        ++suiteTests;
        cases +=
            "    <testcase classname=\"" + Escaped(s.name) + "\" name=\"" + Escaped(name) + "\"";
        if (failure.empty()) {
          cases += "/>\n";
        } else {
          ++suiteFailures;
          cases += ">\n      <failure message=\"" + Escaped(failure) + "\" type=\"" +
                   std::string(VerdictText(row.verdict)) + "\"/>\n    </testcase>\n";
        }
      }
    }
    if (s.incomplete) {
      ++suiteTests;
      cases += "    <testcase classname=\"" + Escaped(s.name) + "\" name=\"measurement\">\n" +
               "      <error message=\"" + Escaped(s.error) + "\"/>\n    </testcase>\n";
    } else if (suiteTests == 0) {
      ++suiteTests;  // no peak near the limit: the sweep itself passed
      cases += "    <testcase classname=\"" + Escaped(s.name) + "\" name=\"sweep\"/>\n";
    }
    tests += suiteTests;
    failures += suiteFailures;
    errors += s.incomplete ? 1 : 0;
    body += "  <testsuite name=\"" + Escaped(s.name) + "\" tests=\"" + std::to_string(suiteTests) +
            "\" failures=\"" + std::to_string(suiteFailures) + "\" errors=\"" +
            std::to_string(s.incomplete ? 1 : 0) + "\" time=\"" + Fixed(s.seconds, 1) + "\">\n" +
            cases + "  </testsuite>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"tq4800\" tests=\"" +
         std::to_string(tests) + "\" failures=\"" + std::to_string(failures) + "\" errors=\"" +
         std::to_string(errors) + "\">\n" + body + "</testsuites>\n";
}

}  // namespace tq
