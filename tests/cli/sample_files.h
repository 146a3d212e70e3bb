#pragma once

#include <string>

#include "model/outline/hint_writer.h"

namespace klu::cli_test {

// Media bytes of the tour file; the tests find them in the written file to learn their offsets.
inline constexpr std::string_view kGifData = "GIF89a tour picture";
inline constexpr std::string_view kSoundData = "RIFF    WAVE tour sound";
// Grey pictures of one row, as wide as given: the compiler takes only pictures it can decode.
std::string GreyPng(int width);
inline const std::string kMapPng = GreyPng(2);
inline const std::string kOverlayPng = GreyPng(1);

// A newer-format file that holds a hunk of every kind the dump gives fields of its own; the line
// layout the tests expect is written out beside its definition.
HintFilePlan TourPlan();

// An older-format file only, of the title given: one subject, one question with two hints.
HintFilePlan OlderFormatPlan(const std::string& title = "Older");

HintFilePlan NestedSubjectsPlan(int depth);

// The bytes of a file; throws when the writer refuses the plan, as a test cannot go on then.
std::string Bytes(const HintFilePlan& plan);

// The same with the checksum, the file's last byte, made wrong: the load fails as corrupted.
std::string WithBrokenChecksum(const HintFilePlan& plan);

}  // namespace klu::cli_test
