#include "play_sound.h"

#include <vector>

#include "model/files/file_range.h"
#include "model/document/media_hunks.h"
#include "sound_player.h"

namespace klu {

namespace {

constexpr char kCannotPlay[] = "This sound cannot be played.  ";

// Reads and starts the sound; gives the text to report when that failed.
std::optional<std::string> ReadAndPlay(const std::string& hint_file_path, const SoundHunk& sound) {
    std::vector<char> wave;
    const RangeResult read =
        ReadFileRange(hint_file_path, sound.dataOffset, sound.dataLength, wave);
    if (read.outcome == RangeOutcome::OutOfMemory) return kSoundOutOfMemoryText;
    if (!read.Ok()) return kCannotPlay + read.message;
    if (std::optional<std::string> failed = StartWaveImage(wave.data(), wave.size()))
        return kCannotPlay + *failed;
    return std::nullopt;
}

}  // namespace

void PlaySoundHunk(UserDialogs& dialogs, const std::string& hint_file_path,
                   const SoundHunk& sound) {
    if (std::optional<std::string> failed = ReadAndPlay(hint_file_path, sound))
        dialogs.ShowMessage(*failed, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace klu
