#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace klu {

// Starts a complete wave file image held in memory and returns at once; the sound plays on
// while the program goes on. One sound plays at a time: starting another stops the one before.
// Gives nothing when the sound started, otherwise why it could not (damaged wave data, no sound
// device).
std::optional<std::string> StartWaveImage(const char* data, size_t size);

// Stops the sound that plays, if any.
void StopSound();

// Whether a sound is still playing.
bool SoundPlaying();

}  // namespace klu
