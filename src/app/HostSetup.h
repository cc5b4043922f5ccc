#pragma once

#include <filesystem>

#include "platform/HostFiles.h"

class QCommandLineParser;

namespace tq {

// The data root the command line names (--data-root), else the host's default.
std::filesystem::path DataRootOf(const QCommandLineParser& parser);

// What every start does to the data root before the program reads it: host.ini, the
// shipped files copied where absent, the simulated ERS disk with --simulate, and the
// working folder C:\tq4800\ as the process's own.
void PrepareDataRoot(HostFiles& files, const std::filesystem::path& shippedDataDir, bool simulate);

}  // namespace tq
