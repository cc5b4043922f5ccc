#pragma once

namespace tq {

// True when standard error goes to a terminal, where progress may be redrawn in place.
bool StderrIsTerminal();

}  // namespace tq
