// Where the launcher works: a folder holding Vlf/ stays in use; otherwise the
// user's data folder, whose Vlf/ is copied from the shipped templates once
// and never overwritten.

#include "app/data_folders.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace vl {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

class DataFolders : public ::testing::Test {
 protected:
  DataFolders() {
    // An installation: prefix/bin and prefix/share/vellora/Vlf with read-only
    // templates, as a package lays them out.
    WriteText(shipped_ / "Vlf" / "1.vlf", "one");
    WriteText(shipped_ / "Vlf" / "6.vlf", "six");
    fs::permissions(shipped_ / "Vlf" / "1.vlf", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(root_ / "prefix" / "bin");
  }
  ~DataFolders() override { fs::remove_all(root_); }

  const fs::path root_ = fs::temp_directory_path() / ("vl_data_folders_" + std::to_string(getpid()));
  const fs::path shipped_ = root_ / "prefix" / "share" / "vellora";
  const fs::path user_ = root_ / "home" / "vellora";
  std::string error_;
};

TEST_F(DataFolders, ShippedDataIsFoundBesideTheExecutablesFolder) {
  EXPECT_EQ(vlShippedDataDir(root_ / "prefix" / "bin"), shipped_);
  // No share/vellora/Vlf beside it: nothing shipped.
  fs::create_directories(root_ / "other" / "bin");
  EXPECT_TRUE(vlShippedDataDir(root_ / "other" / "bin").empty());
  fs::remove_all(shipped_ / "Vlf");
  EXPECT_TRUE(vlShippedDataDir(root_ / "prefix" / "bin").empty());
}

TEST_F(DataFolders, FirstStartCopiesTheTemplatesAndLaterStartsKeepTheUsersOwn) {
  ASSERT_TRUE(vlSeedUserTemplates(shipped_, user_, error_)) << error_;
  EXPECT_EQ(ReadText(user_ / "Vlf" / "1.vlf"), "one");
  EXPECT_EQ(ReadText(user_ / "Vlf" / "6.vlf"), "six");
  // The copy of a read-only shipped file is the user's to save over.
  EXPECT_NE(fs::status(user_ / "Vlf" / "1.vlf").permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(fs::exists(user_ / "Vlf.partial"));

  // The designer saved over one and the user deleted another: a later start
  // changes nothing.
  WriteText(user_ / "Vlf" / "1.vlf", "mine");
  fs::remove(user_ / "Vlf" / "6.vlf");
  ASSERT_TRUE(vlSeedUserTemplates(shipped_, user_, error_)) << error_;
  EXPECT_EQ(ReadText(user_ / "Vlf" / "1.vlf"), "mine");
  EXPECT_FALSE(fs::exists(user_ / "Vlf" / "6.vlf"));
}

TEST_F(DataFolders, AnInterruptedFirstStartIsMadeAnew) {
  WriteText(user_ / "Vlf.partial" / "1.vlf", "half");
  ASSERT_TRUE(vlSeedUserTemplates(shipped_, user_, error_)) << error_;
  EXPECT_EQ(ReadText(user_ / "Vlf" / "1.vlf"), "one");
  EXPECT_EQ(ReadText(user_ / "Vlf" / "6.vlf"), "six");
  EXPECT_FALSE(fs::exists(user_ / "Vlf.partial"));
}

TEST_F(DataFolders, SeedingFailuresAreReportedAndLeaveNoFolder) {
  // Nothing shipped.
  EXPECT_FALSE(vlSeedUserTemplates(root_ / "nowhere", user_, error_));
  EXPECT_NE(error_.find("no shipped templates"), std::string::npos) << error_;
  EXPECT_FALSE(fs::exists(user_ / "Vlf"));
  // The user's folder cannot be made (a file stands in its way).
  WriteText(root_ / "blocked", "file");
  error_.clear();
  EXPECT_FALSE(vlSeedUserTemplates(shipped_, root_ / "blocked" / "vellora", error_));
  EXPECT_NE(error_.find("cannot copy the templates"), std::string::npos) << error_;
}

TEST_F(DataFolders, TheLauncherStaysInAFolderWithTemplatesAndOtherwiseWorksInTheUsers) {
  const fs::path sourceTree = root_ / "source" / "app" / "data";
  WriteText(sourceTree / "Vlf" / "1.vlf", "source");
  EXPECT_EQ(vlLauncherFolder(sourceTree, shipped_, user_, error_), sourceTree);
  EXPECT_FALSE(fs::exists(user_));

  EXPECT_EQ(vlLauncherFolder(root_, shipped_, user_, error_), user_);
  EXPECT_TRUE(error_.empty()) << error_;
  EXPECT_EQ(ReadText(user_ / "Vlf" / "1.vlf"), "one");
}

}  // namespace
}  // namespace vl
