// Files named by the user that are not plain files: a FIFO or device is
// never opened for reading, and a save finds the file behind symbolic links
// and leaves read-only files, devices, FIFOs and folders alone.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_access.h"

namespace vl {
namespace {

class FileAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("vl_file_access_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_ / "readonly", std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }

  std::filesystem::path dir_;
};

TEST_F(FileAccess, WriteTargetFollowsLinksAndRefusesWhatMustNotBeReplaced) {
  Write("plain", "x");
  Write("readonly", "x");
  ::chmod(Path("readonly").c_str(), 0444);
  ASSERT_EQ(::symlink("plain", Path("link").c_str()), 0);          // relative, from the link's folder
  ASSERT_EQ(::symlink(Path("link").c_str(), Path("chain").c_str()), 0);
  ASSERT_EQ(::symlink("absent", Path("dangling").c_str()), 0);
  ASSERT_EQ(::symlink("loop", Path("loop").c_str()), 0);
  ASSERT_EQ(::symlink("readonly", Path("to-readonly").c_str()), 0);
  ::mkfifo(Path("fifo").c_str(), 0600);
  std::filesystem::create_directory(dir_ / "folder");
  const struct {
    std::string name;
    std::string path;     // the file written
    std::string refusal;  // part of the reason; empty when allowed
  } cases[] = {
      {Path("new"), Path("new"), ""},
      {Path("plain"), Path("plain"), ""},
      {Path("link"), Path("plain"), ""},
      {Path("chain"), Path("plain"), ""},
      {Path("dangling"), Path("absent"), ""},
      {Path("readonly"), Path("readonly"), "read-only"},
      {Path("to-readonly"), Path("readonly"), "read-only"},
      {Path("fifo"), Path("fifo"), "not a regular file"},
      {"/dev/null", "/dev/null", "not a regular file"},
      {Path("folder"), Path("folder"), "not a regular file"},
      {Path("loop"), "", "symbolic links"},
  };
  for (const auto& c : cases) {
    const TvlWriteTarget t = vlWriteTarget(c.name);
    if (c.refusal.empty()) {
      EXPECT_EQ(t.Refusal, "") << c.name;
      EXPECT_EQ(std::filesystem::weakly_canonical(t.Path), std::filesystem::weakly_canonical(c.path)) << c.name;
    } else {
      EXPECT_NE(t.Refusal.find(c.refusal), std::string::npos) << c.name << ": " << t.Refusal;
    }
  }
}

TEST_F(FileAccess, ReadingTakesRegularFilesOnlyAndNeverBlocks) {
  Write("data", "0123456789");
  ::mkfifo(Path("fifo").c_str(), 0600);  // no writer: opening it plainly would block
  std::string bytes;
  EXPECT_EQ(vlReadRegularFile(Path("data"), bytes, 100), TvlReadOutcome::Read);
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(vlReadRegularFile(Path("data"), bytes, 4), TvlReadOutcome::TooLarge);
  EXPECT_EQ(vlReadRegularFile(Path("data"), bytes, 4, true), TvlReadOutcome::Read);
  EXPECT_EQ(bytes, "0123");
  EXPECT_EQ(vlReadRegularFile(Path("fifo"), bytes, 100), TvlReadOutcome::NotRegular);
  EXPECT_EQ(vlReadRegularFile(Path("fifo"), bytes, 100, true), TvlReadOutcome::NotRegular);
  EXPECT_EQ(vlReadRegularFile("/dev/zero", bytes, 100), TvlReadOutcome::NotRegular);
  EXPECT_EQ(vlReadRegularFile(Path("folder-that-is-not"), bytes, 100), TvlReadOutcome::Missing);
}

}  // namespace
}  // namespace vl
