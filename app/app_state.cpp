#include "app_state.h"

#include <filesystem>
#include <utility>

#include "model/files/whole_file.h"

namespace klu {

AppState::AppState(std::string program_folder, std::string command_argument,
                   const EnvironmentLookup& environment)
    : programFolder(FolderWithSlash(std::move(program_folder))),
      commandArgument(std::move(command_argument)),
      locations(programFolder, environment),
      helpFilePath(HelpFilePathFor(programFolder)),
      profile(locations.ProfilePath()),
      recentFiles(profile) {
    RemoveStaleTemporaries(profile.Path());
}

Hunk* AppState::HelpRoot() {
    if (!helpFileRead_ && !helpDocument.GetRoot()) {
        helpFileRead_ = true;
        HintFileBytes file = ReadHintFile(helpFilePath);
        if (file.read != HintFileRead::Failed) LoadHintFile(std::move(file), helpDocument, true);
    }
    return helpDocument.GetRoot();
}

void AppState::ReadSettings() {
    settings = LoadSettings(profile, locations.DefaultListFolder());
}

bool AppState::WriteSettings() {
    if (held_ && !FileLoaded()) {
        settingsHeld_ = true;
        return true;
    }
    WriteHeldProfile();
    return SaveSettings(profile, settings, currentDocument, currentPath);
}

bool AppState::AddRecentFile(const std::string& path) {
    if (held_) {
        recentHeld_.push_back(path);
        return true;
    }
    WriteHeldProfile();
    return recentFiles.Add(path);
}

// The settings held were to be written with no file open, so without hint memory.
void AppState::WriteHeldProfile() {
    if (std::exchange(settingsHeld_, false))
        SaveSettings(profile, settings, HintDocument(), std::string());
    for (const std::string& path : std::exchange(recentHeld_, {}))
        recentFiles.Add(path);
}

void AppState::ClearDocuments() {
    currentDocument.Clear();
    helpDocument.Clear();
}

std::string ProgramFolderOf(const std::string& program_path) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(program_path, error);
    if (error) path = program_path;
    return FolderWithSlash(path.parent_path().string());
}

std::string HelpFilePathFor(const std::string& program_folder) {
    const std::string folder = FolderWithSlash(program_folder);
    const std::string beside = folder + kHelpFileName;
    std::error_code error;
    if (std::filesystem::is_regular_file(beside, error)) return beside;
    const std::filesystem::path installed =
        std::filesystem::path(folder + "../share/kluwin/" + kHelpFileName).lexically_normal();
    if (std::filesystem::is_regular_file(installed, error)) return installed.string();
    return beside;
}

}  // namespace klu
