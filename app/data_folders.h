#pragma once
// Where the programs find their data. The installation ships the envelope
// templates read-only under <prefix>/share/vellora; the launcher works in a
// folder of the user's own, whose Vlf/ is copied from the shipped templates on
// first start, so that saving from the designer never writes into the
// installation. A run from a folder that already holds Vlf/ (the source tree's
// app/data) keeps working there.

#include <filesystem>
#include <string>

namespace vl {

// The shipped data folder (it holds Vlf/) for a program living in exeDir:
// ../share/vellora beside an installed bin/, which the build tree mirrors.
// Empty when there is none.
std::filesystem::path vlShippedDataDir(const std::filesystem::path& exeDir);

// Gives userDir a Vlf/ folder holding copies of shippedDir/Vlf's files, unless
// it has one already (the user's templates are never touched). The copy is
// made beside it and renamed into place, so an interrupted first start leaves
// no half-filled folder behind. False with a message when it cannot be made.
bool vlSeedUserTemplates(const std::filesystem::path& shippedDir, const std::filesystem::path& userDir,
                         std::string& error);

// The folder the launcher works in: currentDir when it holds Vlf/, otherwise
// userDir, seeded from shippedDir first. A seeding failure goes to error; the
// user's folder is still returned, and its missing templates are ignored as a
// missing template always is.
std::filesystem::path vlLauncherFolder(const std::filesystem::path& currentDir, const std::filesystem::path& shippedDir,
                                       const std::filesystem::path& userDir, std::string& error);

// The running program's folders: the folder of its executable and the user's
// data folder for this program ($XDG_DATA_HOME/vellora, by default
// ~/.local/share/vellora). Need the application object.
std::filesystem::path vlExecutableDir();
std::filesystem::path vlUserDataDir();

}  // namespace vl
