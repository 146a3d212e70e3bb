#pragma once

#include <string>
#include <string_view>

#include "file_bytes.h"

namespace klu {

// Makes bytes the content of the file at path without ever leaving a half-written file: the
// bytes go to a new file in the same folder, which is flushed to the disk and then renamed over
// the old one, so a crash or a full disk leaves the old file as it was. A symbolic link is
// followed and stays a link. An existing file keeps its permissions; one that we may not write
// is left alone. Gives false when the file could not be replaced.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

// Removes the temporary files that replacements of path left behind when their process was
// killed before the rename ("path.~PID-N" of a PID that no longer runs). Those of running
// processes stay: they may be writing. Gives how many were removed.
int RemoveStaleTemporaries(const std::string& path);

}  // namespace klu
