#include "window_icons.h"

#include <array>

#include "pictograms.h"

namespace klu {

namespace {

// The pictogram of each kind of window.
struct IconLook {
    const char* kind;
    Pictogram pictogram;
};

constexpr std::array<IconLook, 10> kIcons = {{
    {"COMMENT", Pictogram::Comment},
    {"CREDIT", Pictogram::Credit},
    {"GIFA", Pictogram::Picture},
    {"HINT", Pictogram::Hint},
    {"HYPERPNG", Pictogram::Picture},
    {"INFO", Pictogram::Info},
    {"NESTHINT", Pictogram::NestedHint},
    {"SUBJECT", Pictogram::Subject},
    {"TEXT", Pictogram::Text},
    {"VERBOSE", Pictogram::Listing},
}};

const IconLook* FindLook(const std::string& kind_name) {
    for (const IconLook& look : kIcons) {
        if (kind_name == look.kind) return &look;
    }
    return nullptr;
}

}  // namespace

std::string WindowIconName(const std::string& kind_name) {
    return kind_name + "_ICON";
}

bool HasWindowIcon(const std::string& kind_name) {
    return FindLook(kind_name) != nullptr;
}

QIcon WindowIcon(const std::string& kind_name) {
    const IconLook* look = FindLook(kind_name);
    return PictogramIcon(look ? look->pictogram : Pictogram::Subject);
}

}  // namespace klu
