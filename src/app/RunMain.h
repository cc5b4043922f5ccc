#pragma once

#include <filesystem>
#include <string>

class QCommandLineParser;

namespace tq {

// The command-line options of an unattended run, beside --simulate and --data-root.
void AddRunOptions(QCommandLineParser& parser);
// True when the command line asks for a run (checked before the application exists, so
// that the offscreen platform can be chosen for it).
bool AsksForRun(int argc, char* argv[]);

// `tq4800 --run PLAN`: the plan through the program without a window; the exit code.
int RunPlan(const QCommandLineParser& parser, const std::filesystem::path& shippedDataDir);

}  // namespace tq
