// A damaged settings file is found at start, kept as a copy beside it, and
// the settings start from their defaults with one notice; a sound file is
// read as it is.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QSettings>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/qt/qt_settings_store.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

class QtSettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    dir_ = std::filesystem::temp_directory_path() / ("vl_settings_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  QString File() const { return QString::fromStdString((dir_ / "Vellora.conf").string()); }
  void WriteFile(const std::string& bytes) const { std::ofstream(File().toStdString(), std::ios::binary) << bytes; }
  static std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::filesystem::path dir_;
};

TEST_F(QtSettingsStore, SoundFileIsReadWithoutANotice) {
  WriteFile("; a comment\n[Designer]\nGrid=8\nName=Ann\n\n");
  TvlQtSettingsStore store(File());
  EXPECT_EQ(store.Notice(), "");
  EXPECT_EQ(store.ReadInteger("Designer", "Grid", 0), 8);
  EXPECT_EQ(store.ReadString("Designer", "Name", ""), "Ann");
}

TEST_F(QtSettingsStore, DamagedFileIsKeptAsACopyAndSettingsStartFromDefaults) {
  const std::string damaged[] = {
      std::string("[Designer]\nGrid=8\n\0\0\x01\x02garbage\n", 30),
      "[Designer]\nGrid=8\nthis line has no equals sign\nName=Ann\n",
  };
  for (const std::string& bytes : damaged) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    WriteFile(bytes);
    {
      TvlQtSettingsStore store(File());
      EXPECT_NE(store.Notice().find("damaged"), std::string::npos);
      EXPECT_NE(store.Notice().find("Vellora.conf.damaged"), std::string::npos) << store.Notice();
      EXPECT_EQ(store.ReadInteger("Designer", "Grid", 4), 4);  // the default
      store.WriteInteger("Designer", "Grid", 16);
    }
    // The damaged bytes are kept whole beside the new file.
    EXPECT_EQ(Read(dir_ / "Vellora.conf.damaged"), bytes);
    // Said once: the next start finds a sound file.
    TvlQtSettingsStore again(File());
    EXPECT_EQ(again.Notice(), "");
    EXPECT_EQ(again.ReadInteger("Designer", "Grid", 4), 16);
  }
}

}  // namespace
}  // namespace vl
