#include "runner/TestPlan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

#include "corrections/LimitCatalogue.h"
#include "measure/Commands.h"
#include "measure/InputSelection.h"
#include "model/MeasurementState.h"

namespace tq {

namespace {

std::string Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return std::string(s);
}

// Lower case, accelerator marks and trailing dots gone, '>' and runs of blanks made one blank:
// the form in which menu names are compared.
std::string Normalised(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '&') continue;
    if (c == '>' || std::isspace(static_cast<unsigned char>(c))) c = ' ';
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
  return out;
}

std::string Caption(std::string_view caption) {
  std::string out;
  for (char c : caption)
    if (c != '&') out += c;
  while (out.size() > 3 && out.ends_with("...")) out.resize(out.size() - 3);
  return Trim(out);
}

struct Named {
  std::string shown;
  Command command;
};

// The catalogue entries that load a limit, by their menu path below "Limits".
const std::vector<Named>& LimitEntries() {
  static const std::vector<Named> entries = [] {
    std::vector<Named> out;
    const auto catalogue = LimitCatalogue();
    for (std::size_t k = 0; k < catalogue.size(); ++k) {
      const LimitAction a = catalogue[k].action;
      if (a == LimitAction::BuiltIn || a == LimitAction::Vehicle ||
          a == LimitAction::VehicleByDetector)
        out.push_back({LimitMenuPath(LimitCatalogueCommand(k)), LimitCatalogueCommand(k)});
    }
    return out;
  }();
  return entries;
}

// The inputs a plan may choose: those the Inputs menu selects without a dialog of files or
// of the TEM cell's serial number.
constexpr std::array<Command, 10> kPlanInputs{
    Command::Direct1, Command::NX101, Command::NX201, Command::NX241, Command::NX301,
    Command::NX401,   Command::NX501, Command::KVP1,  Command::kvp2,  Command::LISN1};

std::string InputCaption(Command c) {
  for (const CommandEntry& e : CommandTable())
    if (e.id == c) return Caption(e.caption);
  return {};
}

class Reader {
 public:
  explicit Reader(std::string_view file) : file_(file) {}

  std::optional<PlanError> read(std::string_view text);
  TestPlan plan;

 private:
  std::optional<PlanError> line(std::string_view raw);
  std::optional<PlanError> section(const std::string& header);
  std::optional<PlanError> runKey(const std::string& key, const std::string& value);
  std::optional<PlanError> testKey(PlanTest& t, const std::string& key, const std::string& value);
  std::optional<PlanError> finish();
  PlanError error(const std::string& message) const {
    return {file_ + ":" + std::to_string(line_) + ": " + message};
  }
  PlanError errorAt(int line, const std::string& message) const {
    return {file_ + ":" + std::to_string(line) + ": " + message};
  }

  std::string file_;
  int line_ = 0;
  enum class Section { None, Run, Test } section_ = Section::None;
  bool sawRun_ = false;
};

std::optional<double> Number(const std::string& v) {
  double d = 0;
  const auto r = std::from_chars(v.data(), v.data() + v.size(), d);
  if (r.ec != std::errc{} || r.ptr != v.data() + v.size() || !std::isfinite(d)) return std::nullopt;
  return d;
}

std::optional<int> Whole(const std::string& v) {
  int n = 0;
  const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
  if (r.ec != std::errc{} || r.ptr != v.data() + v.size()) return std::nullopt;
  return n;
}

// A value from a fixed list of words; the index of the word.
std::optional<int> Choice(const std::string& v, std::initializer_list<std::string_view> words) {
  int i = 0;
  for (std::string_view w : words) {
    if (Normalised(v) == w) return i;
    ++i;
  }
  return std::nullopt;
}

std::string Join(std::initializer_list<std::string_view> words) {
  std::string out;
  for (std::string_view w : words) out += (out.empty() ? "" : ", ") + std::string(w);
  return out;
}

std::optional<PlanError> Reader::read(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    const std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    if (!text.empty() && text.front() == '\r') text.remove_prefix(1);
    if (!text.empty() && text.front() == '\n') text.remove_prefix(1);
    ++line_;
    if (auto e = line(raw)) return e;
  }
  return finish();
}

std::optional<PlanError> Reader::line(std::string_view raw) {
  const std::string s = Trim(raw);
  if (s.empty() || s.front() == '#' || s.front() == ';') return std::nullopt;
  if (s.front() == '[') {
    if (s.back() != ']') return error("a section header ends with ']'");
    return section(Trim(std::string_view(s).substr(1, s.size() - 2)));
  }
  const auto eq = s.find('=');
  if (eq == std::string::npos) return error("expected 'key = value', found '" + s + "'");
  const std::string key = Normalised(s.substr(0, eq));
  const std::string value = Trim(std::string_view(s).substr(eq + 1));
  switch (section_) {
    case Section::Run:
      return runKey(key, value);
    case Section::Test:
      return testKey(plan.tests.back(), key, value);
    case Section::None:
      break;
  }
  return error("'" + key + "' comes before any [run] or [test NAME] section");
}

std::optional<PlanError> Reader::section(const std::string& header) {
  const std::string lower = Normalised(header);
  if (lower == "run") {
    if (sawRun_) return error("a second [run] section");
    sawRun_ = true;
    section_ = Section::Run;
    return std::nullopt;
  }
  if (lower.rfind("test ", 0) == 0 || lower == "test") {
    const std::string name = Trim(std::string_view(header).substr(4));
    if (name.empty()) return error("a test section needs a name: [test NAME]");
    for (const PlanTest& t : plan.tests)
      if (Normalised(t.name) == Normalised(name))
        return error("a second test named '" + name + "'");
    plan.tests.push_back({});
    plan.tests.back().name = name;
    plan.tests.back().line = line_;
    section_ = Section::Test;
    return std::nullopt;
  }
  return error("unknown section [" + header + "] (valid: [run], [test NAME])");
}

std::optional<PlanError> Reader::runKey(const std::string& key, const std::string& value) {
  if (key == "port") {
    const auto p = Choice(value, {"com1", "com2", "com3", "com4"});
    if (!p) return error("port is one of COM1, COM2, COM3, COM4, not '" + value + "'");
    plan.run.port = *p + 1;
  } else if (key == "title") {
    if (value.size() > 30) return error("the title holds at most 30 characters");
    plan.run.title = value;
  } else if (key == "notes") {
    if (plan.run.notes.size() == 8) return error("at most 8 lines of notes");
    plan.run.notes.push_back(value);
  } else {
    return error("unknown key '" + key + "' in [run] (valid: port, title, notes)");
  }
  return std::nullopt;
}

std::optional<PlanError> LimitValue(PlanLimit& limit, const std::string& value,
                                    const std::string& at) {
  const std::string want = Normalised(value);
  if (want == "none") {
    limit = {PlanLimitKind::None, Command::None, "None"};
    return std::nullopt;
  }
  if (want.rfind("user:", 0) == 0) {
    limit = {PlanLimitKind::User, Command::None, Trim(std::string_view(value).substr(5))};
    if (limit.name.empty()) return PlanError{at + "a user limit is named: 'user: NAME'"};
    return std::nullopt;
  }
  std::vector<const Named*> found;
  for (const Named& e : LimitEntries()) {
    const std::string have = Normalised(e.shown);
    if (have == want || (have.size() > want.size() && have.ends_with(" " + want)))
      found.push_back(&e);
  }
  if (found.size() == 1) {
    limit = {PlanLimitKind::Catalogue, found.front()->command, found.front()->shown};
    return std::nullopt;
  }
  std::string choices;
  const bool unknown = found.empty();
  if (unknown) {
    // Offer the entries of the standard the name starts with, else every standard's first.
    const std::string first = want.substr(0, want.find(' '));
    for (const Named& e : LimitEntries())
      if (Normalised(e.shown).find(first) != std::string::npos) found.push_back(&e);
  }
  for (std::size_t i = 0; i < found.size() && i < 12; ++i)
    choices += (i ? "; " : "") + found[i]->shown;
  if (found.size() > 12) choices += "; ...";
  const std::string what =
      unknown ? "unknown limit '" + value + "'" : "limit '" + value + "' is not one entry";
  return PlanError{at + what +
                   (choices.empty()
                        ? " (name it as the Limits menu does, e.g. 'EN55022 > Class B Radiated', "
                          "or 'user: NAME', or 'none')"
                        : " (valid: " + choices + ")")};
}

std::optional<PlanError> InputValue(std::optional<Command>& input, const std::string& value,
                                    const std::string& at) {
  const std::string want = Normalised(value);
  std::string valid;
  for (Command c : kPlanInputs) {
    const std::string caption = InputCaption(c);
    const std::string have = Normalised(caption);
    if (have == want || have.substr(0, have.find(' ')) == want) {
      input = c;
      return std::nullopt;
    }
    valid += (valid.empty() ? "" : ", ") + caption;
  }
  if (want == "ostrocell" || want.rfind("user antenna", 0) == 0)
    return PlanError{at + "the input '" + value +
                     "' needs its own dialog and is not offered in a plan (valid: " + valid + ")"};
  return PlanError{at + "unknown input '" + value + "' (valid: " + valid + ")"};
}

std::optional<PlanError> Reader::testKey(PlanTest& t, const std::string& key,
                                         const std::string& value) {
  const std::string at = file_ + ":" + std::to_string(line_) + ": ";
  auto bad = [&](const std::string& what) {
    return error(key + " " + what + ", not '" + value + "'");
  };
  if (key == "limit") return LimitValue(t.limit, value, at);
  if (key == "input") return InputValue(t.input, value, at);
  if (key == "distance") {
    // The window's distance box takes whole metres only.
    const auto d = Whole(value);
    if (!d || *d < 1 || *d > 100) return bad("is a whole number of metres from 1 to 100");
    t.distanceM = static_cast<float>(*d);
  } else if (key == "lisn line") {
    const auto l = Choice(value, {"live", "neutral", "red", "yellow", "blue"});
    if (!l) return bad("is one of " + Join({"LIVE", "NEUTRAL", "RED", "YELLOW", "BLUE"}));
    t.lisnSource = *l;
  } else if (key == "lisn attenuator") {
    const auto a = Choice(value, {"0", "10", "20", "30"});
    if (!a) return bad("is 0, 10, 20 or 30 (dB)");
    t.lisnLossIndex = *a;
  } else if (key == "range") {
    const auto r = Choice(value, {"low", "high"});
    if (!r) return bad("is LOW or HIGH");
    t.highRange = *r == 1;
  } else if (key == "start" || key == "stop") {
    const auto mhz = Number(value);
    if (!mhz || *mhz < 0 || *mhz > 1100) return bad("is a frequency in MHz from 0.01 to 1100");
    (key == "start" ? t.startHz : t.stopHz) = static_cast<std::int32_t>(std::lround(*mhz * 1e6));
  } else if (key == "steps") {
    const auto s = Choice(value, {"500", "250", "100"});
    if (!s) return bad("is 100, 250 or 500");
    t.steps = std::array{500, 250, 100}[static_cast<std::size_t>(*s)];
  } else if (key == "detector") {
    const auto d = Choice(value, {"peak", "average", "quasi-peak"});
    if (!d) return bad("is peak, average or quasi-peak");
    t.detector = *d + 1;
  } else if (key == "attenuation") {
    const auto a = Choice(value, {"0", "10", "20", "30"});
    if (!a) return bad("is 0, 10, 20 or 30 (dB)");
    t.attenuationDb = *a * 10;
  } else if (key == "preamp") {
    const auto g = Whole(value);
    if (!g || *g < 0 || *g > 60) return bad("is a gain in whole dB from 0 to 60");
    t.preampGainDb = *g;
  } else if (key == "processing") {
    const auto p = Choice(value, {"off", "average 8", "average 16", "average 32", "peak hold"});
    if (!p) return bad("is one of off, average 8, average 16, average 32, peak hold");
    t.processingMode = *p;
  } else if (key == "sweeps") {
    const auto n = Whole(value);
    if (!n || *n < 1 || *n > 1000) return bad("is a number of sweeps from 1 to 1000");
    t.sweeps = *n;
  } else if (key == "final") {
    const auto f = Choice(value, {"no", "yes"});
    if (!f) return bad("is yes or no");
    t.finalMeasurement = *f == 1;
  } else if (key == "peaks") {
    const auto n = Whole(value);
    if (!n || *n < 1 || *n > 50) return bad("is a number of peaks from 1 to 50");
    t.peaks = *n;
  } else if (key == "threshold") {
    const auto d = Number(value);
    if (!d || *d < 0 || *d > 60) return bad("is a margin in dB from 0 to 60");
    t.thresholdDb = *d;
  } else {
    return error("unknown key '" + key + "' in [test " + t.name +
                 "] (valid: limit, input, distance, lisn line, lisn attenuator, range, start, "
                 "stop, steps, detector, attenuation, preamp, processing, sweeps, final, peaks, "
                 "threshold)");
  }
  return std::nullopt;
}

std::string MHz(std::int32_t hz) {
  std::string s = std::to_string(hz / 1e6);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// The span of each test lies inside its range; the range follows the span when not given.
std::optional<PlanError> Reader::finish() {
  if (plan.tests.empty()) return PlanError{file_ + ": the plan has no [test NAME] section"};
  for (PlanTest& t : plan.tests) {
    const InputEntry* entry = t.input ? FindInputEntry(*t.input) : nullptr;
    if (t.distanceM && (!entry || entry->distance == DistancePrompt::None))
      return errorAt(t.line, "test '" + t.name +
                                 "': a distance is given only with an input that asks for one "
                                 "(NX20, NX24, NX50)");
    if (!t.highRange && (t.startHz || t.stopHz))
      t.highRange = t.stopHz ? *t.stopHz > kLowFinishHz : *t.startHz >= kLowFinishHz;
    if (!t.highRange) continue;
    const std::int32_t lo = *t.highRange ? kHighStartHz : kLowStartHz;
    const std::int32_t hi = *t.highRange ? kHighFinishHz : kLowFinishHz;
    const std::int32_t start = t.startHz.value_or(lo);
    const std::int32_t stop = t.stopHz.value_or(hi);
    if (start < lo || stop > hi || start >= stop)
      return errorAt(t.line, "test '" + t.name + "': the span " + MHz(start) + " to " + MHz(stop) +
                                 " MHz is not inside the " +
                                 (*t.highRange ? "HIGH range (30 to 1100 MHz)"
                                               : "LOW range (0.01 to 30 MHz)") +
                                 " with start below stop");
  }
  return std::nullopt;
}

}  // namespace

std::string LimitMenuPath(Command entry) {
  const LimitCatalogueEntry* e = LimitCatalogueEntryOf(entry);
  if (!e) return {};
  std::map<std::string_view, const LimitCatalogueEntry*> menus;
  for (const LimitCatalogueEntry& row : LimitCatalogue())
    if (row.action == LimitAction::Menu) menus[row.objectName] = &row;
  std::string path = Caption(e->caption);
  for (std::string_view parent = e->parent; !parent.empty();) {
    const auto m = menus.find(parent);
    if (m == menus.end() || m->second->parent.empty()) break;  // "Limits" itself is left out
    path = Caption(m->second->caption) + " > " + path;
    parent = m->second->parent;
  }
  return path;
}

std::variant<TestPlan, PlanError> ReadTestPlan(std::string_view text, std::string_view fileName) {
  Reader reader(fileName);
  if (auto e = reader.read(text)) return *e;
  return std::move(reader.plan);
}

}  // namespace tq
