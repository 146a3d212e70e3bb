#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace klu {

class Hunk;
class MetaTextHunk;

inline constexpr const char* kNoHintsFound = "No hints were found with the requested string.";

// "Search Results for "phrase"", the phrase exactly as typed.
std::string SearchTitle(std::string_view phrase);

// Searches the tree below root. The result hunk has root as parent, so that its links find their
// targets; per match it holds the links from the top down to the matching hunk, separated by ":"
// lines and closed by a line holding one blank. It has no children when nothing matched.
std::unique_ptr<MetaTextHunk> FindInTree(Hunk& root, std::string_view phrase);

}  // namespace klu
