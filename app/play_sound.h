#pragma once

#include <string>

#include "user_dialogs.h"

namespace klu {

class SoundHunk;

inline constexpr char kSoundOutOfMemoryText[] =
    "Out of memory.  Close any open applications and try to play this sound again.";

// What opening a sound hunk does: reads its wave data from the hint file and starts it, in
// place of any sound still playing; the reader goes on meanwhile. Data that cannot be read, or
// no buffer for it, or a sound that cannot be played is reported.
void PlaySoundHunk(UserDialogs& dialogs, const std::string& hint_file_path,
                   const SoundHunk& sound);

}  // namespace klu
