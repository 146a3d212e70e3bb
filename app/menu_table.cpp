#include "menu_table.h"

#include "command_ids.h"

namespace klu {

namespace {

MenuItem Item(int id, std::string text, std::string accelerator, std::string hint,
              Enabling enabling = Enabling::Always) {
    return MenuItem{id, std::move(text), std::move(accelerator), std::move(hint), enabling};
}

MenuItem Separator() {
    return MenuItem{};
}

// Go to the KLU Web Site stands only where the build names a web site.
std::vector<MenuItem> HelpItems() {
    std::vector<MenuItem> items = {
        Item(CM_SHOWHELPFILE, "Show &Help File\tF1", "F1", "Displays the on-line help file"),
        Item(CM_PRINTHELPFILE, "&Print Help File", "", "Prints a copy of the on-line help file"),
        Separator(),
    };
    if (!MakerWebAddress().empty()) {
        items.push_back(
            Item(CM_WEBSITE, "&Go to the KLU Web Site", "",
                 "Go to " + MakerWebAddress() + " for the latest KLU hint files and information"));
        items.push_back(Separator());
    }
    items.push_back(
        Item(CM_ABOUT, "&About KLUWIN...", "", "Displays copyright information for this program"));
    return items;
}

std::vector<MenuPopup> BuildMenu() {
    using enum Enabling;
    return {
        {"&File",
         {
             Item(CM_FILEOPEN, "&Open...\tCtrl+O", "Ctrl+O", "Opens a new KLU hint file"),
             Item(CM_VERBOSELISTING, "&Verbose File Listing", "",
                  "Shows the full titles for all KLU files stored in the default folder"),
             Item(CM_CHANGELISTFOLDER, "&Change Verbose Listing Folder...", "",
                  "Sets the folder used with the Verbose File Listing command"),
             Separator(),
             Item(CM_PRINTFILE, "&Print File...\tCtrl+Shift+P", "Ctrl+Shift+P",
                  "Prints the current file", FileLoaded),
             Item(CM_PRINTERSETUP, "P&rinter Setup...", "",
                  "Lets you choose and configure a default printer"),
             Separator(),
             Item(CM_FILEINFO, "&Information", "",
                  "Displays author, copyright, and other information about the current file",
                  FileLoaded),
             Item(CM_FINDINFILE, "&Find in File...\tCtrl+F", "Ctrl+F",
                  "Searches the hint file for a given phrase", FileLoaded),
             Item(CM_DECODETOTEXT, "&Decode to Text...\tCtrl+Shift+S", "Ctrl+Shift+S",
                  "Decodes the current file to plain text", FileLoaded),
             Item(CM_EXPORTWEBPAGE, "Export as &Web Page...", "",
                  "Writes the current file as a web page that reveals one hint at a time",
                  FileLoaded),
             Separator(),
             Item(CM_EXIT, "E&xit", "", "Exits KLUWIN"),
         }},
        {"&Windows",
         {
             Item(CM_CASCADECHILDREN, "&Cascade", "", "Cascades all open windows", Windows),
             Item(CM_TILECHILDREN, "&Tile", "", "Tiles all open windows", Windows),
             Item(CM_ARRANGEICONS, "Arrange &Icons", "", "Arranges icons of minimized windows",
                  Windows),
             Item(CM_CLOSECHILDREN, "Close &All", "", "Closes all open windows"),
             Separator(),
             Item(CM_LAYOUTTABS, "Ta&bs", "", "Shows the open windows as tabs"),
             Item(CM_LAYOUTWINDOWS, "Separate Wi&ndows", "",
                  "Shows each open window in a frame of its own"),
             Separator(),
             Item(CM_SHOWTOPWINDOW, "Show Top &Window\tCtrl+W", "Ctrl+W",
                  "Shows the top-level window for the current hint file", FileLoaded),
             Item(CM_GOBACK, "Bac&k\tAlt+Left", "Alt+Left", "Goes back to the window visited before",
                  History),
             Item(CM_GOFORWARD, "&Forward\tAlt+Right", "Alt+Right",
                  "Goes forward to the window visited next", History),
             Separator(),
             Item(CM_SAVEWINDOW, "&Save Window\tCtrl+S", "Ctrl+S",
                  "Saves the contents of the active window to a text file", View),
             Item(CM_PRINTWINDOW, "&Print Window\tCtrl+P", "Ctrl+P",
                  "Prints the contents of the active window", View),
             Item(CM_COPYTOCLIPBOARD, "C&opy to Clipboard\tCtrl+C", "Ctrl+C",
                  "Copies the content of the active window to the clipboard", View),
         }},
        {"&Options",
         {
             Item(CM_SETOPTIONS, "&Set Options...", "", "Sets interface options"),
             Item(CM_RESETHINTMEMORY, "&Reset Hint Memory", "",
                  "Resets the list of hints that have been displayed previously in this file",
                  FileLoaded),
         }},
        {"&Help", HelpItems()},
    };
}

}  // namespace

const std::string& MakerWebAddress() {
    static const std::string address = KLU_WEB_ADDRESS;
    return address;
}

const std::vector<MenuPopup>& KluMenu() {
    static const std::vector<MenuPopup> menu = BuildMenu();
    return menu;
}

const MenuItem* FindMenuItem(int id) {
    if (id == 0) return nullptr;
    for (const MenuPopup& popup : KluMenu()) {
        for (const MenuItem& item : popup.items) {
            if (item.id == id) return &item;
        }
    }
    return nullptr;
}

const std::vector<ControlBarSlot>& ControlBarLayout() {
    static const std::vector<ControlBarSlot> layout = {
        {CM_FILEOPEN, 0}, {CM_FINDINFILE, 0},   {CM_DECODETOTEXT, 0}, {CM_PRINTFILE, 0},
        {0, 15},          {CM_SAVEWINDOW, 0},   {CM_PRINTWINDOW, 0},  {CM_SHOWTOPWINDOW, 0},
        {0, 10},          {CM_GOBACK, 0},       {CM_GOFORWARD, 0},    {0, 10},
        {CM_SHOWHELPFILE, 0},
    };
    return layout;
}

}  // namespace klu
