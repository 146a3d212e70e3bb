#pragma once

namespace klu {

// The command ids of the menu, the accelerators and the control bar. Open, Exit and the window
// arrangement are numbered apart from the menus' hundreds; the recent-file items take the ids
// from CM_RECENT_FIRST up to, not including, CM_RECENT_END.
enum CommandId : int {
    CM_FILEOPEN = 24330,
    CM_VERBOSELISTING = 101,
    CM_FILEINFO = 102,
    CM_DECODETOTEXT = 104,
    CM_EXPORTWEBPAGE = 105,
    CM_FINDINFILE = 106,
    CM_CHANGELISTFOLDER = 107,
    CM_PRINTFILE = 110,
    CM_PRINTERSETUP = 111,
    CM_EXIT = 24310,
    CM_CASCADECHILDREN = 24361,
    CM_TILECHILDREN = 24362,
    CM_ARRANGEICONS = 24364,
    CM_CLOSECHILDREN = 24365,
    CM_SHOWTOPWINDOW = 201,
    CM_SAVEWINDOW = 203,
    CM_PRINTWINDOW = 204,
    CM_COPYTOCLIPBOARD = 205,
    CM_LAYOUTTABS = 206,
    CM_LAYOUTWINDOWS = 207,
    CM_GOBACK = 208,
    CM_GOFORWARD = 209,
    CM_SETOPTIONS = 301,
    CM_RESETHINTMEMORY = 302,
    CM_VIEWCONTENTS = 401,
    CM_FILTERCONTENTS = 402,
    CM_SHOWHELPFILE = 501,
    CM_PRINTHELPFILE = 502,
    CM_ABOUT = 503,
    CM_WEBSITE = 510,
    CM_RECENT_FIRST = 31990,
    CM_RECENT_END = 32000,
};

}  // namespace klu
