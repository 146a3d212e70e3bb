#pragma once

#include <string>

namespace klu::seeds {

// Small but well-formed media files, so that the data areas of the seeds hold real content.
std::string TinyPng();                 // a 2x2 RGB picture
std::string TinyGif();                 // a 1x1 picture
std::string TinyWave(size_t samples);  // 8-bit mono, 8000 Hz
// A picture that is not one: fuzzers should also start from data a decoder rejects.
std::string NotAPicture();

}  // namespace klu::seeds
