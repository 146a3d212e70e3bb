#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace klu {

// Plays a complete wave file image held in memory and returns once the sound has ended; the
// program handles no input meanwhile. Gives nothing when the sound was played, otherwise why it
// could not be (damaged wave data, no sound device). The wait is bounded by the sound's length
// and a margin, so a device that stops taking data cannot hang the program.
std::optional<std::string> PlayWaveImage(const char* data, size_t size);

}  // namespace klu
