// Draws the pictures of the reader's help file: make_help_media FOLDER writes there
//   controlbar.png  the reader's control bar, each button labelled; help/rored.outline puts a hot
//                   spot on every button (the rectangles of kButtons below);
//   room.png        a small room with a closed chest and a sign, the example of a picture with
//                   hot spots;
//   room_open.png   the opened chest, an overlay painted onto room.png at kChestOverlay.
#include <cstdio>
#include <string>
#include <vector>

#include "media_png.h"

namespace klu {
namespace {

using media::Canvas;
using media::Rgb;

// ---- The control bar -------------------------------------------------------------------------

enum BarColor : uint8_t {
    kBar,
    kBlack,
    kWhite,
    kShadow,
    kNavy,
    kFolder,
    kFolderEdge,
    kGreen,
    kDisk,
    kGlass,
    kLabel,
};

const std::vector<Rgb>& BarPalette() {
    static const std::vector<Rgb> palette = {{212, 208, 200}, {0, 0, 0},     {255, 255, 255},
                                             {128, 128, 128}, {0, 0, 128},   {240, 200, 80},
                                             {150, 110, 30},  {40, 150, 60}, {40, 70, 150},
                                             {190, 220, 240}, {40, 40, 40}};
    return palette;
}

enum class Icon { Folder, Find, PageT, PageP, Disk, PageW, Top, PageHelp };

struct Button {
    int left;  // the button's column is left to left + kSlotWidth
    const char* label;
    Icon icon;
};

constexpr int kBarWidth = 396;
constexpr int kBarHeight = 76;
constexpr int kSlotWidth = 44;
constexpr int kButtonSize = 32;
constexpr int kButtonTop = 6;
constexpr int kLabelTop = 43;

// In the reader's order: four whole-file buttons, a gap, three window buttons, a gap, Help. The
// hot spots of the help file cover the columns from y 4 to 52, button and label.
constexpr Button kButtons[] = {
    {8, "OPEN", Icon::Folder},   {52, "FIND", Icon::Find},      {96, "DECODE", Icon::PageT},
    {140, "PRINT", Icon::PageP}, {200, "SAVE", Icon::Disk},     {244, "PRINT", Icon::PageW},
    {288, "TOP", Icon::Top},     {344, "HELP", Icon::PageHelp},
};

// A sheet of paper with a big letter, as the reader draws the buttons without a standard picture.
bool DrawPage(Canvas& c, int x, int y, const char* mark) {
    c.Fill(x + 8, y + 4, x + 24, y + 28, kWhite);
    c.Frame(x + 8, y + 4, x + 24, y + 28, kBlack);
    return c.CenteredText(x + 8, x + 24, y + 9, mark, kNavy, 2);
}

bool DrawIcon(Canvas& c, int x, int y, Icon icon) {
    switch (icon) {
        case Icon::Folder:
            c.Fill(x + 5, y + 8, x + 14, y + 12, kFolderEdge);
            c.Fill(x + 5, y + 11, x + 27, y + 25, kFolder);
            c.Frame(x + 5, y + 11, x + 27, y + 25, kFolderEdge);
            return true;
        case Icon::Find:
            c.Fill(x + 6, y + 4, x + 20, y + 26, kWhite);
            c.Frame(x + 6, y + 4, x + 20, y + 26, kBlack);
            for (int line = y + 8; line < y + 24; line += 3)
                c.Fill(x + 8, line, x + 16, line + 1, kShadow);
            c.Disc(x + 19, y + 15, 3, kGlass);
            c.Disc(x + 19, y + 15, 6, kNavy, 4);
            c.Line(x + 23, y + 20, x + 27, y + 26, kNavy);
            c.Line(x + 24, y + 20, x + 28, y + 26, kNavy);
            return true;
        case Icon::PageT:
            return DrawPage(c, x, y, "T");
        case Icon::PageP:
            return DrawPage(c, x, y, "P");
        case Icon::PageW:
            return DrawPage(c, x, y, "W");
        case Icon::PageHelp:
            return DrawPage(c, x, y, "?");
        case Icon::Disk:
            c.Fill(x + 6, y + 6, x + 26, y + 26, kDisk);
            c.Fill(x + 9, y + 7, x + 23, y + 15, kWhite);
            c.Fill(x + 11, y + 19, x + 21, y + 26, kShadow);
            c.Fill(x + 17, y + 20, x + 19, y + 25, kDisk);
            return true;
        case Icon::Top:
            c.Disc(x + 16, y + 16, 11, kGreen);
            for (int row = 0; row < 7; ++row)
                c.Fill(x + 16 - row, y + 8 + row, x + 17 + row, y + 9 + row, kWhite);
            c.Fill(x + 14, y + 15, x + 19, y + 24, kWhite);
            return true;
    }
    return false;
}

// A bracket under a group of buttons with the group's name below it.
bool DrawGroup(Canvas& c, int left, int right, const char* name) {
    c.Fill(left + 4, 56, right - 4, 57, kShadow);
    c.Fill(left + 4, 53, left + 5, 57, kShadow);
    c.Fill(right - 5, 53, right - 4, 57, kShadow);
    return c.CenteredText(left, right, 62, name, kLabel);
}

bool WriteControlBar(const std::string& path) {
    Canvas c(kBarWidth, kBarHeight, kBar);
    c.Fill(0, 0, kBarWidth, 1, kShadow);  // the etched edge under the menu bar
    c.Fill(0, 1, kBarWidth, 2, kWhite);
    bool drawn = true;
    for (const Button& button : kButtons) {
        const int x = button.left + (kSlotWidth - kButtonSize) / 2;
        c.Raised(x, kButtonTop, x + kButtonSize, kButtonTop + kButtonSize, kWhite, kShadow);
        drawn = DrawIcon(c, x, kButtonTop, button.icon) && drawn;
        drawn = c.CenteredText(button.left, button.left + kSlotWidth, kLabelTop, button.label,
                               kLabel) &&
                drawn;
    }
    drawn = DrawGroup(c, kButtons[0].left, kButtons[3].left + kSlotWidth, "WHOLE FILE") && drawn;
    drawn = DrawGroup(c, kButtons[4].left, kButtons[6].left + kSlotWidth, "ACTIVE WINDOW") && drawn;
    return drawn && c.WritePng(path, BarPalette());
}

// ---- The example room ------------------------------------------------------------------------

enum RoomColor : uint8_t {
    kWall,
    kMortar,
    kFloor,
    kWood,
    kDarkWood,
    kGold,
    kBoard,
    kInk,
    kInside,
    kIron,
};

const std::vector<Rgb>& RoomPalette() {
    static const std::vector<Rgb> palette = {
        {150, 140, 125}, {185, 175, 160}, {110, 80, 50}, {160, 100, 40}, {100, 60, 20},
        {240, 200, 40},  {230, 215, 170}, {40, 40, 40},  {50, 30, 10},   {90, 90, 100}};
    return palette;
}

constexpr int kRoomWidth = 220;
constexpr int kRoomHeight = 130;
constexpr int kFloorTop = 80;
// Where the overlay goes and how big it is: the chest with room above it for the open lid.
constexpr int kChestOverlayX = 80, kChestOverlayY = 56;
constexpr int kChestOverlayWidth = 60, kChestOverlayHeight = 54;

// The room with the chest closed or open. The overlay is cut from the open room, so that the
// wall behind the lid matches the picture it is painted onto pixel for pixel.
Canvas DrawRoom(bool open, bool& drawn) {
    Canvas c(kRoomWidth, kRoomHeight, kWall);
    for (int y = 0; y < kFloorTop; y += 10) {  // courses of bricks
        c.Fill(0, y, kRoomWidth, y + 1, kMortar);
        for (int x = (y / 10) % 2 ? 0 : 12; x < kRoomWidth; x += 24)
            c.Fill(x, y, x + 1, y + 10, kMortar);
    }
    c.Fill(0, kFloorTop, kRoomWidth, kRoomHeight, kFloor);
    for (int x = 0; x < kRoomWidth; x += 30)
        c.Line(x, kFloorTop, x - 20, kRoomHeight, kDarkWood);

    // The sign on the wall.
    c.Line(170, 8, 162, 18, kInk);
    c.Line(190, 8, 198, 18, kInk);
    c.Fill(156, 18, 204, 46, kBoard);
    c.Frame(156, 18, 204, 46, kInk);
    drawn = c.CenteredText(156, 204, 23, "READ", kInk) && drawn;
    drawn = c.CenteredText(156, 204, 34, "ME", kInk) && drawn;

    // The chest: its body, and either the closed lid or the open lid with the gold inside.
    c.Fill(80, 82, 140, 110, kWood);
    c.Fill(80, 94, 140, 96, kIron);
    c.Frame(80, 82, 140, 110, kDarkWood);
    if (open) {
        c.Fill(82, 60, 138, 72, kDarkWood);
        c.Frame(82, 60, 138, 72, kIron);
        c.Fill(82, 72, 138, 82, kInside);
        for (int x = 88; x < 134; x += 8)
            c.Disc(x, 79 - (x / 8) % 2 * 2, 3, kGold);
    } else {
        c.Fill(80, 70, 140, 82, kDarkWood);
        c.Frame(80, 70, 140, 82, kIron);
        c.Fill(106, 78, 114, 88, kGold);
    }
    return c;
}

bool WriteRoom(const std::string& path) {
    bool drawn = true;
    const Canvas room = DrawRoom(false, drawn);
    return drawn && room.WritePng(path, RoomPalette());
}

bool WriteOpenChest(const std::string& path) {
    bool drawn = true;
    const Canvas room = DrawRoom(true, drawn);
    Canvas chest(kChestOverlayWidth, kChestOverlayHeight, kWall);
    for (int y = 0; y < kChestOverlayHeight; ++y) {
        for (int x = 0; x < kChestOverlayWidth; ++x)
            chest.Set(x, y, room.At(kChestOverlayX + x, kChestOverlayY + y));
    }
    return drawn && chest.WritePng(path, RoomPalette());
}

}  // namespace
}  // namespace klu

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_help_media FOLDER\n");
        return 64;
    }
    const std::string folder = std::string(argv[1]) + "/";
    if (!klu::WriteControlBar(folder + "controlbar.png") || !klu::WriteRoom(folder + "room.png") ||
        !klu::WriteOpenChest(folder + "room_open.png")) {
        std::fprintf(stderr, "make_help_media: cannot draw or write the pictures in %s\n",
                     folder.c_str());
        return 1;
    }
    return 0;
}
