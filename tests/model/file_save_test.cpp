// Saving templates, dictionaries and prepared reports: the atomic writer
// replaces the file a symbolic link names (the link stays), refuses a
// read-only file, a device or a FIFO and leaves it as it was; reading a FIFO
// is refused at once instead of blocking.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/core/error.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

class FileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("vl_file_save_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The error text of a save, empty when it succeeded.
  static std::string SaveError(const std::string& path, const std::string& bytes) {
    try {
      vlWriteFileAtomically(path, bytes);
    } catch (const TvlError& e) {
      return e.what();
    }
    return {};
  }
  // Only the files the test made: no temporary file is left behind.
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }

  std::filesystem::path dir_;
};

TEST_F(FileSave, ReadOnlyFileIsRefusedAndKept) {
  std::ofstream(Path("report.vlp")) << "old";
  ::chmod(Path("report.vlp").c_str(), 0444);
  const std::string error = SaveError(Path("report.vlp"), "new");
  EXPECT_NE(error.find("report.vlp"), std::string::npos) << error;
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
  EXPECT_EQ(Read("report.vlp"), "old");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileSave, SymbolicLinkStaysALinkAndItsFileIsReplaced) {
  std::filesystem::create_directory(dir_ / "real");
  std::ofstream(Path("real/report.vlp")) << "old";
  ::chmod(Path("real/report.vlp").c_str(), 0640);
  ASSERT_EQ(::symlink("real/report.vlp", Path("link.vlp").c_str()), 0);
  EXPECT_EQ(SaveError(Path("link.vlp"), "new"), "");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "link.vlp"));
  EXPECT_EQ(Read("real/report.vlp"), "new");
  struct stat st {};
  ::stat(Path("real/report.vlp").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the file keeps its permissions
}

TEST_F(FileSave, DevicesAndFifosAreNeverReplaced) {
  ::mkfifo(Path("pipe.vlp").c_str(), 0600);
  EXPECT_NE(SaveError(Path("pipe.vlp"), "new").find("not a regular file"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe.vlp"));
  EXPECT_NE(SaveError("/dev/null", "new").find("not a regular file"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileSave, ReadingAFifoIsRefusedWithoutBlocking) {
  ::mkfifo(Path("pipe.vlf").c_str(), 0600);  // no writer: a plain open would wait for ever
  std::string bytes;
  try {
    vlReadFile(Path("pipe.vlf"), bytes);
    ADD_FAILURE() << "a FIFO was read";
  } catch (const TvlError& e) {
    EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(vlReadFile(Path("absent.vlf"), bytes));
}

}  // namespace
}  // namespace vl
