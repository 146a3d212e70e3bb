#include "app_state.h"

#include <filesystem>

namespace klu {

AppState::AppState(std::string program_folder, std::string command_argument,
                   const EnvironmentLookup& environment)
    : programFolder(FolderWithSlash(std::move(program_folder))),
      commandArgument(std::move(command_argument)),
      locations(programFolder, environment),
      helpFilePath(programFolder + kHelpFileName),
      profile(locations.ProfilePath()),
      recentFiles(profile) {}

void AppState::LoadHelpFile() {
    LoadResult ignored = LoadOk;
    LoadHintFileAt(helpFilePath, helpDocument, true, ignored);
}

void AppState::ReadSettings() {
    settings = LoadSettings(profile, programFolder);
}

bool AppState::WriteSettings() {
    return SaveSettings(profile, settings, currentDocument, currentPath);
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

}  // namespace klu
