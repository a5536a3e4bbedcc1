// The desktop is always handed a URL with its scheme: a folder in the
// working folder that spells like a web address never stands in for it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/qt/qt_shell.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

TEST(QtShell, AddressesKeepTheirSchemeEvenWhenALocalPathSpellsThem) {
  test::QtApp();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vl_shell_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "http:" / "x");
  std::ofstream(dir / "http:" / "x" / "run.desktop") << "[Desktop Entry]\nExec=false\n";
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  const struct {
    const char* address;
    const char* url;
  } cases[] = {
      {"http://x/run.desktop", "http://x/run.desktop"},  // "http:/x/run.desktop" exists here
      {"https://example.com/a?b=1", "https://example.com/a?b=1"},
      {"www.example.com", "http://www.example.com"},
      {"/tmp/a b.pdf", "file:///tmp/a b.pdf"},
  };
  for (const auto& c : cases) {
    const QUrl url = vlShellUrl(c.address);
    EXPECT_EQ(url.toString().toStdString(), c.url) << c.address;
    EXPECT_FALSE(url.scheme().isEmpty()) << c.address;
  }
  std::filesystem::current_path(before);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vl
