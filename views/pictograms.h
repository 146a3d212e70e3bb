#pragma once

#include <QIcon>

namespace klu {

// The program's own pictures of its commands and of its kinds of window, drawn with paths at
// whatever size and scale they are shown, so that they stay sharp on any screen.
enum class Pictogram {
    // Commands, drawn on a grid of 20 units: sharp at the control bar's 20 pixels and twice that.
    Open,
    Find,
    Export,
    Print,
    Save,
    PrintWindow,
    TopWindow,
    Help,
    Back,
    Forward,
    // Windows, on a grid of 16 units, the size of a window's icon.
    Subject,
    Hint,
    NestedHint,
    Comment,
    Credit,
    Picture,
    Info,
    Text,
    Listing,
};

QIcon PictogramIcon(Pictogram pictogram);

}  // namespace klu
