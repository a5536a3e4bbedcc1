#pragma once
// The designer template file (.vlt): a description, an optional picture and
// the pages of a report, from which "New..." starts a new template.
//
//   description   string list (template stream encoding)
//   offset        uint32, where the pages block starts
//   picture flag  byte 1 when a picture follows, 0 when not
//   picture       a bitmap file (its own size in its header)
//   pages block   the pages section of the template stream, then byte 252

#include <string>
#include <vector>

namespace vl {

class TvlReport;

struct TvlDesignerTemplateInfo {
  std::vector<std::string> Description;
  std::string Picture;  // bitmap file bytes; empty when none
};

// Writes the report's pages atomically; file system errors raise TvlError.
void vlSaveDesignerTemplate(const std::string& path, TvlReport& report, const TvlDesignerTemplateInfo& info);
// The description and picture, for the list of templates; a damaged file
// raises TvlError.
TvlDesignerTemplateInfo vlReadDesignerTemplateInfo(const std::string& path);
// Replaces the report's pages by the template's. A damaged file raises
// TvlError and leaves the report as it was.
void vlLoadDesignerTemplate(const std::string& path, TvlReport& report);

}  // namespace vl
