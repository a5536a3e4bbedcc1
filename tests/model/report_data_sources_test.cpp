// The data sources a template brings with it: kept in a record every reader
// skips, with files stored relative to the template's folder, so a folder of
// template and data can move; a damaged record costs the sources only.

#include <filesystem>
#include <fstream>

#include "engine/model/report_data_sources.h"
#include "tests/model/sample_template.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

namespace fs = std::filesystem;

class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/vl_sources_XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~ScratchDir() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using ReportDataSourcesTest = TemplateTest;

TEST_F(ReportDataSourcesTest, FilesTravelRelativeToTheTemplate) {
  ScratchDir dir;
  fs::create_directories(dir / "job/data");
  TvlReport r;
  r.Pages.Add();
  vlDataSourcesOf(r).Set({"Customers", dir / "job/data/customers.csv", ""});
  vlDataSourcesOf(r).Set({"Orders", dir / "shared.sqlite", "SELECT * FROM Orders"});
  vlDataSourcesOf(r).Set({"Elsewhere", "/opt/lists/other.csv", ""});
  r.SaveToFile(dir / "job/list.vlf");

  const std::string bytes = ReadAll(dir / "job/list.vlf");
  EXPECT_NE(bytes.find("data/customers.csv"), std::string::npos);
  EXPECT_EQ(bytes.find(dir / "job/data"), std::string::npos) << "no absolute path inside the template's folder";
  EXPECT_NE(bytes.find("../shared.sqlite"), std::string::npos);

  // The whole folder moves: the sources follow it.
  fs::rename(dir / "job", dir / "moved");
  TvlReport back;
  ASSERT_TRUE(back.LoadFromFile(dir / "moved/list.vlf"));
  EXPECT_EQ(back.LastLoadStatus, TvlLoadStatus::Loaded);
  ASSERT_EQ(vlDataSourcesOf(back).Items.size(), 3u);
  EXPECT_EQ(vlDataSourcesOf(back).Items[0], (TvlReportDataSource{"Customers", dir / "moved/data/customers.csv", ""}));
  EXPECT_EQ(vlDataSourcesOf(back).Items[1], (TvlReportDataSource{"Orders", dir / "shared.sqlite", "SELECT * FROM Orders"}));
  EXPECT_EQ(vlDataSourcesOf(back).Items[1].Spec(), dir / "shared.sqlite#SELECT * FROM Orders");
  EXPECT_EQ(vlDataSourcesOf(back).Items[2].Name, "Elsewhere");

  // Copied in memory (as preparation does) they stay absolute.
  TvlReport copy;
  Load(copy, Save(back));
  EXPECT_EQ(vlDataSourcesOf(copy).Items, vlDataSourcesOf(back).Items);
}

TEST_F(ReportDataSourcesTest, ATemplateWithoutSourcesHasNoRecordAndLoadingClearsThem) {
  TvlReport r;
  r.Pages.Add();
  const std::string plain = Save(r);
  vlDataSourcesOf(r).Set({"A", "/x.csv", ""});
  const std::string with = Save(r);
  EXPECT_EQ(plain.find("VelloraDataSources"), std::string::npos);
  EXPECT_NE(with.find("VelloraDataSources"), std::string::npos);
  Load(r, plain);
  EXPECT_TRUE(vlDataSourcesOf(r).Empty()) << "another template's sources do not stay";
}

TEST_F(ReportDataSourcesTest, ADamagedRecordCostsTheSourcesOnly) {
  TvlReport r;
  sample::Fill(r);
  vlDataSourcesOf(r).Set({"Customers", "/data/customers.csv", ""});
  const std::string good = Save(r);
  const std::size_t marker = good.find("VelloraDataSources");
  ASSERT_NE(marker, std::string::npos);
  const std::size_t countAt = marker + 18 + 1 + 4;  // marker, its end byte, the body version
  const struct {
    const char* what;
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"another body", [&](std::string& b) { b[marker] = 'X'; }},
      {"a newer body", [&](std::string& b) { b[marker + 19] = 9; }},
      {"a huge count", [&](std::string& b) { b.replace(countAt, 4, std::string("\xFF\xFF\xFF\x7F", 4)); }},
      {"a negative count", [&](std::string& b) { b.replace(countAt, 4, std::string("\xFF\xFF\xFF\xFF", 4)); }},
      {"a name longer than the record", [&](std::string& b) { b.replace(countAt + 4, 2, std::string("\xF0\xFF", 2)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = good;
    c.damage(bytes);
    messages->Messages.clear();
    TvlReport back;
    Load(back, bytes);
    EXPECT_EQ(back.LastLoadStatus, TvlLoadStatus::Loaded);
    EXPECT_TRUE(messages->Messages.empty());
    EXPECT_TRUE(vlDataSourcesOf(back).Empty());
    EXPECT_EQ(back.Pages.Count(), r.Pages.Count());
    EXPECT_EQ(back.ReportName, r.ReportName) << "the information block after the record is read";
  }
}

TEST_F(ReportDataSourcesTest, SetReplacesByNameAndRemoveForgets) {
  TvlReportDataSources s;
  s.Set({"A", "/a.csv", ""});
  s.Set({"B", "/b.csv", ""});
  s.Set({"A", "/a2.csv", ""});
  ASSERT_EQ(s.Items.size(), 2u);
  EXPECT_EQ(s.Find("A")->FileName, "/a2.csv");
  EXPECT_EQ(s.Find("a"), nullptr) << "names compare as bands compare them";
  EXPECT_TRUE(s.Remove("A"));
  EXPECT_FALSE(s.Remove("A"));
  EXPECT_EQ(s.Items.size(), 1u);
}

TEST_F(ReportDataSourcesTest, PathsRelativeToAFolder) {
  const struct {
    const char *Path, *Folder, *Relative;
  } cases[] = {
      {"/a/b/c.csv", "/a/b", "c.csv"},
      {"/a/b/d/c.csv", "/a/b", "d/c.csv"},
      {"/a/c.csv", "/a/b", "../c.csv"},
      {"rel/c.csv", "/a/b", "rel/c.csv"},  // already relative: as it is
      {"/a/c.csv", "", "/a/c.csv"},        // no folder: as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vlPathRelativeTo(c.Path, c.Folder), c.Relative) << c.Path;
    if (c.Folder[0] && c.Path[0] == '/') {
      EXPECT_EQ(vlPathFrom(c.Relative, c.Folder), c.Path) << c.Path;
    }
  }
  EXPECT_EQ(vlPathFrom("/abs.csv", "/a"), "/abs.csv");
  EXPECT_EQ(vlFolderOf("/a/b/t.vlf"), "/a/b");
}

TEST_F(ReportDataSourcesTest, AnUnreadableFileIsNamedInTheMessage) {
  ScratchDir dir;
  std::ofstream(dir / "damaged.vlf", std::ios::binary) << std::string("\x19\x00\x00\x01\x00", 5) << std::string(40, '\xff');
  TvlReport r;
  r.Pages.Add();
  ASSERT_TRUE(r.LoadFromFile(dir / "damaged.vlf"));
  EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Unsupported);
  ASSERT_EQ(messages->Messages.size(), 1u);
  EXPECT_EQ(messages->Messages[0].Text, (dir / "damaged.vlf") + ": Unsupported VLF format");
  // From memory there is no file to name.
  messages->Messages.clear();
  Load(r, std::string("\x19\x00\x00\x01\x00", 5) + std::string(40, '\xff'));
  EXPECT_EQ(messages->Messages.at(0).Text, "Unsupported VLF format");
}

}  // namespace
}  // namespace vl::testing
