#include "analysis/PeakSearch.h"

#include <algorithm>
#include <cstdlib>

#include "model/LimitTable.h"

namespace tq {

namespace {

struct Candidate {
  int point;
  double rank;  // margin to the limit, or the level where there is none
};

// A local maximum: above the point before it and not below the one after it, so that a
// plateau counts once, at its start.
bool LocalMaximum(const Trace& levels, int n, int last) {
  const std::int32_t v = levels[static_cast<std::size_t>(n)];
  if (v <= 0) return false;
  const bool aboveBefore = n == 0 || v > levels[static_cast<std::size_t>(n - 1)];
  const bool notBelowAfter = n == last || v >= levels[static_cast<std::size_t>(n + 1)];
  return aboveBefore && notBelowAfter;
}

}  // namespace

std::vector<int> FindPeaks(const Trace& levels, const PointLimits& limits, int lastPoint,
                           const PeakSearchSettings& settings) {
  const int last = std::clamp(lastPoint, 0, static_cast<int>(kTracePoints) - 1);
  const int most = std::clamp(settings.maxPeaks, 0, kMostPeaks);
  const bool anyLimit =
      std::any_of(limits.begin(), limits.begin() + last + 1, [](double l) { return l < kNoLimit; });
  std::vector<Candidate> candidates;
  for (int n = 0; n <= last; ++n) {
    if (!LocalMaximum(levels, n, last)) continue;
    const double level = levels[static_cast<std::size_t>(n)];
    if (!anyLimit) {
      candidates.push_back({n, level});
      continue;
    }
    const double limit = limits[static_cast<std::size_t>(n)];
    if (limit >= kNoLimit) continue;
    const double margin = level - limit;
    if (margin >= -settings.thresholdDb) candidates.push_back({n, margin});
  }
  // The strongest first; equals by frequency, so that the choice does not depend on the sort.
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.rank != b.rank ? a.rank > b.rank : a.point < b.point;
  });
  std::vector<int> picked;
  picked.reserve(static_cast<std::size_t>(most));
  for (const Candidate& c : candidates) {
    if (static_cast<int>(picked.size()) >= most) break;
    const bool clear = std::none_of(picked.begin(), picked.end(), [&](int p) {
      return std::abs(p - c.point) < settings.separationPoints;
    });
    if (clear) picked.push_back(c.point);
  }
  std::sort(picked.begin(), picked.end());
  return picked;
}

}  // namespace tq
