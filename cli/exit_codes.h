#pragma once

namespace klu::cli {

// Exit statuses beyond the load result codes 0 to 4, which commands pass on as they are.
inline constexpr int kExitOk = 0;  // the file loaded, and the command did its work
inline constexpr int kExitCannotOpen = 5;
inline constexpr int kExitUsage = 64;          // as sysexits' EX_USAGE
inline constexpr int kExitDataError = 65;      // as EX_DATAERR: an outline that cannot be compiled
inline constexpr int kExitNoInput = 66;        // as EX_NOINPUT: an input file that cannot be read
inline constexpr int kExitInternalError = 70;  // as EX_SOFTWARE: a failure of klu itself
inline constexpr int kExitCannotCreate = 73;   // as EX_CANTCREAT: an output file not written

}  // namespace klu::cli
