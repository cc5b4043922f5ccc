// Any text reads as a test plan or as one message naming the file and the line; a plan read
// holds at least one test, and every test's values lie within what the program accepts.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "runner/TestPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = tq::ReadTestPlan(text, "plan.ini");
  if (const auto* error = std::get_if<tq::PlanError>(&read)) {
    if (error->text.rfind("plan.ini:", 0) != 0) __builtin_trap();
    return 0;
  }
  const tq::TestPlan& plan = std::get<tq::TestPlan>(read);
  if (plan.tests.empty() || plan.run.notes.size() > 8) __builtin_trap();
  if (plan.run.port && (*plan.run.port < 1 || *plan.run.port > 4)) __builtin_trap();
  for (const tq::PlanTest& t : plan.tests) {
    if (t.name.empty() || t.sweeps < 1 || t.sweeps > 1000 || t.peaks < 1 || t.peaks > 50)
      __builtin_trap();
    if (t.steps && *t.steps != 500 && *t.steps != 250 && *t.steps != 100) __builtin_trap();
    if (t.detector && (*t.detector < 1 || *t.detector > 3)) __builtin_trap();
    if (t.processingMode && (*t.processingMode < 0 || *t.processingMode > 4)) __builtin_trap();
    const std::int32_t start = t.startHz.value_or(0);
    const std::int32_t stop = t.stopHz.value_or(1100000000);
    if ((t.startHz || t.stopHz) && (!t.highRange || start >= stop)) __builtin_trap();
    if (t.limit.kind == tq::PlanLimitKind::Catalogue && tq::LimitMenuPath(t.limit.entry).empty())
      __builtin_trap();
  }
  return 0;
}
