#include "engine/labels/sheet_catalogue.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/core/error.h"
#include "engine/core/project_texts.h"
#include "engine/core/text.h"
#include "engine/data/data_file.h"
#include "platform/settings_store.h"

namespace vl {
namespace {

constexpr const char* kUserSheetsKey = "Software\\Vellora\\Labels\\Sheets";
constexpr int kFieldCount = 10;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find('|', start);
    parts.push_back(vlTrim(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
    if (bar == std::string::npos) return parts;
    start = bar + 1;
  }
}

// The whole text as a number, or false.
bool Number(const std::string& text, double& out) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && std::isfinite(out);
}

// The name of a numeric field (from 1) as a message shows it.
std::string FieldName(int k) {
  switch (k) {
    case 1: return vlTr("label width");
    case 2: return vlTr("label height");
    case 3: return vlTr("columns");
    case 4: return vlTr("rows");
    case 5: return vlTr("top margin");
    case 6: return vlTr("left margin");
    case 7: return vlTr("horizontal pitch");
    case 8: return vlTr("vertical pitch");
    default: return vlTr("corner radius");
  }
}

std::string Text(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

}  // namespace

std::string vlSheetFields(const TvlLabelSheet& s) {
  return s.Paper + " | " + Text(s.LabelWidth) + " | " + Text(s.LabelHeight) + " | " + std::to_string(s.Columns) +
         " | " + std::to_string(s.Rows) + " | " + Text(s.TopMargin) + " | " + Text(s.LeftMargin) + " | " +
         Text(s.PitchX) + " | " + Text(s.PitchY) + " | " + Text(s.CornerRadius);
}

std::string vlReadSheetFields(const std::string& fields, TvlLabelSheet& sheet) {
  const std::vector<std::string> parts = Split(fields);
  if (static_cast<int>(parts.size()) != kFieldCount)
    return vlTr("A sheet needs %1 fields after its name, separated by |; this has %2",
                    {std::to_string(kFieldCount), std::to_string(parts.size())});
  double values[kFieldCount] = {};
  for (int k = 1; k < kFieldCount; ++k)
    if (!Number(parts[static_cast<std::size_t>(k)], values[k]))
      return vlTr("The %1 \"%2\" is not a number", {FieldName(k), parts[static_cast<std::size_t>(k)]});
  for (int k : {3, 4})
    if (values[k] != std::floor(values[k]) || std::fabs(values[k]) > 1000)
      return vlTr("The %1 must be a whole number", {FieldName(k)});
  sheet.Paper = parts[0];
  sheet.LabelWidth = values[1];
  sheet.LabelHeight = values[2];
  sheet.Columns = static_cast<std::int32_t>(values[3]);
  sheet.Rows = static_cast<std::int32_t>(values[4]);
  sheet.TopMargin = values[5];
  sheet.LeftMargin = values[6];
  sheet.PitchX = values[7];
  sheet.PitchY = values[8];
  sheet.CornerRadius = values[9];
  return vlLabelSheetProblem(sheet);
}

std::vector<TvlLabelSheet> vlReadSheetCatalogue(const std::string& text, const std::string& sourceName) {
  std::vector<TvlLabelSheet> sheets;
  std::size_t start = 0;
  for (int line = 1; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string content = vlTrim(text.substr(start, end - start));
    start = end + 1;
    if (content.empty() || content[0] == '#') continue;
    const std::size_t bar = content.find('|');
    TvlLabelSheet sheet;
    sheet.Name = vlTrim(content.substr(0, bar == std::string::npos ? content.size() : bar));
    const std::string at = std::to_string(line);
    if (bar == std::string::npos)
      throw TvlError(vlTr("%1, line %2: a sheet needs its name, then its fields separated by |", {sourceName, at}));
    if (const std::string problem = vlReadSheetFields(content.substr(bar + 1), sheet); !problem.empty())
      throw TvlError(vlTr("%1, line %2: %3", {sourceName, at, problem}));
    if (vlFindSheet(sheets, sheet.Name))
      throw TvlError(vlTr("%1, line %2: the sheet \"%3\" is listed twice", {sourceName, at, sheet.Name}));
    sheets.push_back(std::move(sheet));
  }
  return sheets;
}

std::vector<TvlLabelSheet> vlLoadSheetCatalogue(const std::string& path) {
  std::string text = vlReadDataFile(path, kSheetCatalogueLimit);
  vlTakeUtf8Bom(text, path);
  return vlReadSheetCatalogue(text, path);
}

std::vector<TvlLabelSheet> vlUserSheets(TvlSettingsStore& settings) {
  std::vector<TvlLabelSheet> sheets;
  for (const std::string& name : settings.ValueNames(kUserSheetsKey)) {
    TvlLabelSheet sheet;
    sheet.Name = name;
    if (!vlReadSheetFields(settings.ReadString(kUserSheetsKey, name, ""), sheet).empty()) continue;
    if (!vlFindSheet(sheets, name)) sheets.push_back(std::move(sheet));
  }
  return sheets;
}

std::string vlRememberUserSheet(TvlSettingsStore& settings, const TvlLabelSheet& sheet) {
  TvlLabelSheet checked = sheet;
  checked.Name = vlTrim(sheet.Name);
  if (std::string problem = vlLabelSheetProblem(checked); !problem.empty()) return problem;
  // The fields are kept as text: a later reading checks them again.
  settings.WriteString(kUserSheetsKey, checked.Name, vlSheetFields(checked));
  return {};
}

const TvlLabelSheet* vlFindSheet(const std::vector<TvlLabelSheet>& sheets, const std::string& name) {
  for (const TvlLabelSheet& s : sheets)
    if (vlSameText(s.Name, name)) return &s;
  return nullptr;
}

}  // namespace vl
