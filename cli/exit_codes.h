#pragma once

namespace klu::cli {

// Exit statuses beyond the load result codes 0 to 4, which commands pass on as they are.
inline constexpr int kExitCannotOpen = 5;
inline constexpr int kExitUsage = 64;          // as sysexits' EX_USAGE
inline constexpr int kExitInternalError = 70;  // as EX_SOFTWARE: a failure of klu itself

}  // namespace klu::cli
