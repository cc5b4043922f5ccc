// The one-way layers: every #include under src/ and sim/ must be one that its folder's
// README allows ("May depend on: ..."), Qt only where the README says Qt, and no two
// folders may reach each other through any chain of includes. Nothing outside the platform
// needs POSIX, so that the core builds for Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tq {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kFolders{
    "model",   "platform", "platform/qt", "link",    "traces", "corrections", "view",
    "results", "guide",    "analysis",    "measure", "runner", "dialogs", "app",   "sim"};

struct Rule {
  std::set<std::string> allowed;
  bool qt = false;
};

struct Include {
  std::string file;    // as found, for the message
  std::string folder;  // the folder the file is in
  std::string target;  // what it includes; "/dev/" where it names a device path
};

// The folder an include names: the longest known folder its path starts with; none for a
// bare name (the including folder's own header) or a system header.
std::string FolderOf(const std::string& path) {
  std::string best;
  for (const std::string& f : kFolders)
    if (path.rfind(f + "/", 0) == 0 && f.size() > best.size()) best = f;
  return best;
}

// The folders a README's "May depend on:" line names, and whether it allows Qt.
Rule ParseRule(const std::string& readme) {
  Rule rule;
  const auto at = readme.find("May depend on:");
  if (at == std::string::npos) return rule;
  std::string line = readme.substr(at + 14, readme.find('\n', at) - at - 14);
  std::replace(line.begin(), line.end(), ',', ' ');
  std::replace(line.begin(), line.end(), '.', ' ');
  std::istringstream words(line);
  std::string previous;
  for (std::string w; words >> w; previous = w) {
    if (w == "Qt" && previous != "No") rule.qt = true;
    if (std::find(kFolders.begin(), kFolders.end(), w) != kFolders.end()) rule.allowed.insert(w);
  }
  return rule;
}

// Every problem: includes a rule forbids, and cycles between folders.
std::vector<std::string> Violations(const std::vector<Include>& includes,
                                    const std::map<std::string, Rule>& rules) {
  std::vector<std::string> problems;
  std::map<std::string, std::set<std::string>> edges;
  for (const Include& inc : includes) {
    const auto rule = rules.find(inc.folder);
    const bool isQt = inc.target.rfind("<Q", 0) == 0;
    if (isQt) {
      if (rule == rules.end() || !rule->second.qt)
        problems.push_back(inc.file + " includes " + inc.target + " (no Qt here)");
      continue;
    }
    const std::string target = FolderOf(inc.target);
    if (target.empty() || target == inc.folder) continue;
    edges[inc.folder].insert(target);
    if (rule == rules.end() || !rule->second.allowed.count(target))
      problems.push_back(inc.file + " includes " + inc.target + " (" + inc.folder +
                         " may not use " + target + ")");
  }
  // A cycle is a path from a folder back to itself.
  for (const auto& [start, next] : edges) {
    std::set<std::string> seen;
    std::vector<std::string> stack(next.begin(), next.end());
    while (!stack.empty()) {
      const std::string f = stack.back();
      stack.pop_back();
      if (f == start) {
        problems.push_back("cycle through " + start);
        break;
      }
      if (!seen.insert(f).second) continue;
      for (const std::string& n : edges[f]) stack.push_back(n);
    }
  }
  return problems;
}

// POSIX-only headers and device paths outside the platform's adapters; the simulator's
// pseudo-terminal program and its poll() loop are the exception.
std::vector<std::string> PosixUses(const std::vector<Include>& includes) {
  const std::regex posixOnly(
      R"(^<(unistd|termios|fcntl|poll|pthread|dirent|dlfcn|pty)\.h>$|^<sys/)");
  const std::set<std::string> exempt{"sim/main.cpp", "sim/PollTicks.cpp"};
  std::vector<std::string> problems;
  for (const Include& inc : includes) {
    if (inc.folder.starts_with("platform") || exempt.count(inc.file)) continue;
    if (inc.target == "/dev/" || std::regex_search(inc.target, posixOnly))
      problems.push_back(inc.file + " uses " + inc.target);
  }
  return problems;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The includes of every source file under src/ and sim/, and every folder's rule.
void ReadTree(std::vector<Include>& includes, std::map<std::string, Rule>& rules) {
  const fs::path top = TQ_SOURCE_DIR;
  const std::regex directive(R"(^\s*#\s*include\s*([<"][^>"]+[>"]))");
  for (const std::string& folder : kFolders) {
    const fs::path dir = folder == "sim" ? top / "sim" : top / "src" / folder;
    if (fs::exists(dir / "README.md")) rules[folder] = ParseRule(ReadFile(dir / "README.md"));
  }
  for (const fs::path& root : {top / "src", top / "sim"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      const auto ext = entry.path().extension();
      if (ext != ".h" && ext != ".cpp") continue;
      const std::string rel = fs::relative(entry.path(), top).generic_string();
      const std::string folder =
          rel.rfind("sim/", 0) == 0 ? "sim" : FolderOf(rel.substr(4));  // after "src/"
      std::istringstream lines(ReadFile(entry.path()));
      for (std::string line; std::getline(lines, line);) {
        if (line.find("/dev/") != std::string::npos) includes.push_back({rel, folder, "/dev/"});
        std::smatch m;
        if (!std::regex_search(line, m, directive)) continue;
        std::string target = m[1];
        if (target.front() == '"') target = target.substr(1, target.size() - 2);
        includes.push_back({rel, folder, target});
      }
    }
  }
}

TEST(Layers, EveryIncludeIsAllowedByItsFoldersReadmeAndNoFoldersFormACycle) {
  std::vector<Include> includes;
  std::map<std::string, Rule> rules;
  ReadTree(includes, rules);
  ASSERT_GT(includes.size(), 100u);
  for (const std::string& f : kFolders) EXPECT_TRUE(rules.count(f)) << f << " has no README";
  const auto problems = Violations(includes, rules);
  for (const std::string& p : problems) ADD_FAILURE() << p;
}

TEST(Layers, ABackEdgeAQtIncludeInTheCoreAndACycleAreCaught) {
  std::map<std::string, Rule> rules{
      {"model", ParseRule("May depend on: the standard library only.")},
      {"traces", ParseRule("May depend on: model, platform. No Qt.")},
      {"measure", ParseRule("May depend on: traces, model.")},
      {"app", ParseRule("May depend on: measure, Qt.")}};
  EXPECT_TRUE(Violations({{"src/traces/T.cpp", "traces", "model/Numbers.h"},
                          {"src/app/A.cpp", "app", "<QWidget>"},
                          {"src/measure/M.cpp", "measure", "measure/Other.h"},
                          {"sim/S.cpp", "sim", "Spectrum.h"}},
                         rules)
                  .empty());
  const auto problems = Violations({{"src/model/M.h", "model", "traces/TraceSet.h"},
                                    {"src/traces/T.cpp", "traces", "<QString>"},
                                    {"src/traces/T.cpp", "traces", "model/M.h"}},
                                   rules);
  // The back edge, Qt, and the cycle seen from both of its ends.
  ASSERT_EQ(problems.size(), 4u) << ::testing::PrintToString(problems);
  EXPECT_EQ(problems[0], "src/model/M.h includes traces/TraceSet.h (model may not use traces)");
  EXPECT_EQ(problems[1], "src/traces/T.cpp includes <QString> (no Qt here)");
  EXPECT_EQ(problems[2], "cycle through model");
}

TEST(Layers, NothingOutsideThePlatformNeedsPosix) {
  std::vector<Include> includes;
  std::map<std::string, Rule> rules;
  ReadTree(includes, rules);
  for (const std::string& p : PosixUses(includes)) ADD_FAILURE() << p;
  const auto caught = PosixUses({{"src/link/L.h", "link", "<sys/ioctl.h>"},
                                 {"sim/Spectrum.cpp", "sim", "/dev/"},
                                 {"src/platform/qt/Q.cpp", "platform/qt", "<termios.h>"},
                                 {"sim/main.cpp", "sim", "<unistd.h>"},
                                 {"src/model/M.cpp", "model", "<cstdio>"}});
  EXPECT_EQ(caught, (std::vector<std::string>{"src/link/L.h uses <sys/ioctl.h>",
                                              "sim/Spectrum.cpp uses /dev/"}));
}

}  // namespace
}  // namespace tq
