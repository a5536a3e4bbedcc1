#include "app/data_folders.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <system_error>

namespace vl {

namespace fs = std::filesystem;

namespace {
constexpr const char* kTemplatesFolder = "Vlf";

bool HasTemplatesFolder(const fs::path& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir / kTemplatesFolder, ec);
}
}  // namespace

fs::path vlShippedDataDir(const fs::path& exeDir) {
  const fs::path dir = (exeDir / ".." / "share" / "vellora").lexically_normal();
  return HasTemplatesFolder(dir) ? dir : fs::path();
}

bool vlSeedUserTemplates(const fs::path& shippedDir, const fs::path& userDir, std::string& error) {
  const fs::path target = userDir / kTemplatesFolder;
  std::error_code ec;
  if (fs::exists(target, ec)) return true;
  if (!HasTemplatesFolder(shippedDir)) {
    error = "no shipped templates to copy into " + target.string();
    return false;
  }
  // A leftover of an interrupted earlier start is discarded and made anew.
  const fs::path partial = userDir / (std::string(kTemplatesFolder) + ".partial");
  fs::remove_all(partial, ec);
  ec.clear();
  fs::create_directories(partial, ec);
  if (!ec) fs::copy(shippedDir / kTemplatesFolder, partial, fs::copy_options::recursive, ec);
  // Shipped files are read-only in the installation; the user's copies are
  // for editing.
  if (!ec)
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(partial, ec))
      if (entry.is_regular_file(ec))
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  if (!ec) fs::rename(partial, target, ec);
  if (ec) {
    error = "cannot copy the templates into " + target.string() + ": " + ec.message();
    std::error_code ignored;
    fs::remove_all(partial, ignored);
    return false;
  }
  return true;
}

fs::path vlLauncherFolder(const fs::path& currentDir, const fs::path& shippedDir, const fs::path& userDir,
                          std::string& error) {
  if (HasTemplatesFolder(currentDir)) return currentDir;
  vlSeedUserTemplates(shippedDir, userDir, error);
  return userDir;
}

fs::path vlExecutableDir() { return fs::path(QCoreApplication::applicationDirPath().toStdString()); }

fs::path vlUserDataDir() {
  return fs::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) / "vellora";
}

}  // namespace vl
