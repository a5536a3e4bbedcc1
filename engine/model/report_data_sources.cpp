#include "engine/model/report_data_sources.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

// Tells this record's body from any other record of the same type.
constexpr const char* kMarker = "VelloraDataSources";
constexpr std::int32_t kBodyVersion = 1;
// A body that claims more is damaged; no report needs that many.
constexpr std::int32_t kMaxSources = 1000;

std::map<const TvlReport*, TvlReportDataSources>& SourcesByReport() {
  static std::map<const TvlReport*, TvlReportDataSources> sources;
  return sources;
}

std::string& FileInUse() {
  static std::string file;
  return file;
}

}  // namespace

TvlReportDataSources& vlDataSourcesOf(const TvlReport& report) { return SourcesByReport()[&report]; }

void vlForgetDataSourcesOf(const TvlReport& report) { SourcesByReport().erase(&report); }

TvlTemplateFileScope::TvlTemplateFileScope(const std::string& path) : previous_(FileInUse()) { FileInUse() = path; }

TvlTemplateFileScope::~TvlTemplateFileScope() { FileInUse() = previous_; }

const std::string& vlTemplateFileInUse() { return FileInUse(); }

std::string vlTemplateFolderInUse() { return vlFolderOf(FileInUse()); }

const TvlReportDataSource* TvlReportDataSources::Find(const std::string& name) const {
  auto it = std::find_if(Items.begin(), Items.end(), [&](const auto& s) { return s.Name == name; });
  return it == Items.end() ? nullptr : &*it;
}

void TvlReportDataSources::Set(const TvlReportDataSource& source) {
  auto it = std::find_if(Items.begin(), Items.end(), [&](const auto& s) { return s.Name == source.Name; });
  if (it == Items.end())
    Items.push_back(source);
  else
    *it = source;
}

bool TvlReportDataSources::Remove(const std::string& name) {
  auto it = std::find_if(Items.begin(), Items.end(), [&](const auto& s) { return s.Name == name; });
  if (it == Items.end()) return false;
  Items.erase(it);
  return true;
}

void TvlReportDataSources::WriteBody(TvlStreamWriter& w, const std::string& folder) const {
  w.WriteString(kMarker);
  w.WriteI32(kBodyVersion);
  w.WriteI32(static_cast<std::int32_t>(Items.size()));
  for (const auto& s : Items) {
    w.WriteString(s.Name);
    w.WriteString(vlPathRelativeTo(s.FileName, folder));
    w.WriteString(s.Query);
  }
}

bool TvlReportDataSources::ReadBody(TvlStreamReader& r, const std::string& folder) {
  if (r.ReadString() != kMarker) return false;
  if (r.ReadI32() != kBodyVersion) return false;
  const std::int32_t count = r.ReadI32();
  if (count < 0 || count > kMaxSources) return false;
  std::vector<TvlReportDataSource> read;
  for (std::int32_t k = 0; k < count; ++k) {
    TvlReportDataSource s;
    s.Name = r.ReadString();
    s.FileName = vlPathFrom(r.ReadString(), folder);
    s.Query = r.ReadString();
    read.push_back(std::move(s));
  }
  Items = std::move(read);
  return true;
}

std::string vlPathRelativeTo(const std::string& path, const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path p(path), f(folder);
  if (folder.empty() || !p.is_absolute() || !f.is_absolute()) return path;
  const fs::path rel = p.lexically_normal().lexically_relative(f.lexically_normal());
  return rel.empty() ? path : rel.generic_string();
}

std::string vlPathFrom(const std::string& path, const std::string& folder) {
  namespace fs = std::filesystem;
  if (folder.empty() || path.empty() || fs::path(path).is_absolute()) return path;
  return (fs::path(folder) / path).lexically_normal().generic_string();
}

std::string vlFolderOf(const std::string& path) {
  namespace fs = std::filesystem;
  if (path.empty()) return {};
  std::error_code ec;
  fs::path full = fs::absolute(fs::path(path), ec);
  if (ec) full = fs::path(path);
  return full.parent_path().lexically_normal().generic_string();
}

}  // namespace vl
