#pragma once

#include <string>

#include "user_dialogs.h"

namespace klu {

class AppState;
class TGIFaHunk;

// The save dialog's filter for GIF data, as the program gives it ("|"-separated pairs).
inline constexpr char kGifFileFilter[] = "Compuserve GIF Files (*.GIF)|*.GIF|All Files (*.*)|*.*";

// The question asked before GIF data is saved, naming the maker's web site when there is one.
std::string GifSaveQuestion(const std::string& web_address);

// What opening a GIF hunk does, now that GIF pictures are no longer shown: asks whether to save
// the picture, and on Yes asks for a file (never the open hint file or the help file) and copies
// the hunk's data from its hint file into it. A file that cannot be read or written is reported;
// a cancelled dialog does nothing.
void OfferGifSave(UserDialogs& dialogs, const AppState& state, const TGIFaHunk& gif,
                  const std::string& web_address);

}  // namespace klu
