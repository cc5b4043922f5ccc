// Any text read as an unattended run's baseline (an earlier run's summary.json): one JSON
// value or nothing; a value read writes back as JSON that reads again to the same text; and
// each of its tests compared with a run's peaks gives one trend a peak with finite margins,
// from which the new summary's peak table is written as JSON again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/RunResults.h"

namespace {

tq::PeakRow Row(int point, double margin) {
  tq::PeakRow r;
  r.point = point;
  r.peak = {'P', point * 1e6, 40 + margin, 0, 40 + margin};
  r.base = {true, 'Q', 40, margin, 'P', margin > 0 ? tq::Verdict::Fail : tq::Verdict::Pass};
  r.verdict = r.base.verdict;
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = tq::ParseJson(text);
  if (!read) return 0;
  const std::string written = read->Write();
  const auto again = tq::ParseJson(written);
  if (!again || again->Write() != written) __builtin_trap();

  static const tq::PeakTable now = [] {
    tq::PeakTable t;
    t.rows = {Row(0, -12.5), Row(101, -5.5), Row(300, 0.25), Row(500, -30)};
    return t;
  }();
  const tq::Json* tests = read->find("tests");
  const tq::Json::Array* list = tests ? tests->asArray() : nullptr;
  if (!list) return 0;
  for (const tq::Json& test : *list) {
    const auto trends = tq::CompareWithBaseline(now, test, 5, 3.0);
    if (trends.size() != now.rows.size()) __builtin_trap();
    for (const tq::MarginTrend& t : trends)
      if (t.matched && (!std::isfinite(t.baselineMarginDb) || !std::isfinite(t.changeDb)))
        __builtin_trap();
    if (!tq::ParseJson(tq::PeakTableJson(now, trends).Write())) __builtin_trap();
  }
  return 0;
}
