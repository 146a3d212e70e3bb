#pragma once

#include "command_line.h"

namespace klu::cli {

// One function per command; each gives the process's exit status.
int RunCheck(const CommandArgs& args);
int RunDump(const CommandArgs& args);

}  // namespace klu::cli
