#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/files/file_locations.h"
#include "model/document/hint_document.h"
#include "model/files/private_copy.h"
#include "model/store/profile_file.h"
#include "model/store/recent_files.h"
#include "model/store/settings.h"

namespace klu {

inline constexpr char kHelpFileName[] = "RORED.KLU";

// Everything the program keeps while it runs: the documents, the settings and where its own
// files live. ReaderApp owns one; the frame and the commands borrow it.
class AppState {
  public:
    // program_folder ends in "/"; command_argument is the first argument, or empty.
    AppState(std::string program_folder, std::string command_argument,
             const EnvironmentLookup& environment = ProcessEnvironment);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    const std::string programFolder;
    const std::string commandArgument;
    const FileLocations locations;
    const std::string helpFilePath;
    ProfileFile profile;
    RecentFiles recentFiles;
    HintDocument currentDocument;
    HintDocument helpDocument;
    std::string currentPath;  // the path currentDocument was opened from
    // The file its pictures, sounds and GIFs are read from: currentPath itself, or for a member
    // of a ZIP archive memberCopy, this reader's own unpacked copy, removed with the document.
    std::string currentDataPath;
    std::unique_ptr<PrivateCopy> memberCopy;
    Settings settings;

    // The file-level commands work only while this holds.
    bool FileLoaded() const { return currentDocument.GetRoot() != nullptr; }

    // The top of the help file (HelpFilePathFor), read in picture mode at the first call rather
    // than at start, since most sessions never open it. A missing or damaged help file leaves the
    // help document empty or partial (null here); that is not an error, and it is not read again.
    Hunk* HelpRoot();
    // Reads the settings from the profile.
    void ReadSettings();
    // Writes the hint memory of the current file and the settings. False when the profile could
    // not be written.
    bool WriteSettings();
    // Puts path first in the recent files (see RecentFiles::Add).
    bool AddRecentFile(const std::string& path);

    // Each write makes the profile durable, which costs more than opening a small file: while
    // held, the writes of opening one (WriteSettings with no file open, AddRecentFile) only note
    // what they would write. WriteHeldProfile writes it, in the same order; so does the next
    // write once the hold ends.
    void HoldProfileWrites(bool hold) { held_ = hold; }
    void WriteHeldProfile();
    // Empties both documents.
    void ClearDocuments();

  private:
    bool helpFileRead_ = false;
    bool held_ = false;
    bool settingsHeld_ = false;
    std::vector<std::string> recentHeld_;
};

// The folder of the program file, ending in "/", from the first command-line element.
std::string ProgramFolderOf(const std::string& program_path);

// Where the help file is read from: beside the program when it is there, else the share/kluwin/
// folder of an installed program (program_folder + "../share/kluwin/"). When it is in neither
// place, the path beside the program, so that a missing help file behaves as it always did.
std::string HelpFilePathFor(const std::string& program_folder);

}  // namespace klu
