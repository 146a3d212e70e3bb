#pragma once

#include "command_line.h"

namespace klu::cli {

// One function per command; each gives the process's exit status.
int RunCheck(const CommandArgs& args);
int RunDump(const CommandArgs& args);
int RunExport(const CommandArgs& args);
int RunFind(const CommandArgs& args);
int RunInfo(const CommandArgs& args);
int RunList(const CommandArgs& args);
int RunCompile(const CommandArgs& args);
int RunDecompile(const CommandArgs& args);

}  // namespace klu::cli
