// vlreport paper: what the printer model computes for one paper request.

#include <cstdlib>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

int ParseInt(const std::string& text, const std::string& what) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || v < -100000 || v > 100000)
    throw UsageError{vlTr("bad %1 '%2'", {what, text})};
  return static_cast<int>(v);
}

}  // namespace

int RunPaper(const Args& args) {
  ArgReader reader(args);
  const bool landscape = reader.Flag("--landscape");
  const std::string printerName = reader.Option("--printer");
  const std::string size = reader.Option("--size");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one paper code")};
  const int code = ParseInt(rest[0], vlTr("paper code"));

  TvlPrinter& p = vlPrinter();
  if (!printerName.empty()) {
    const int index = p.IndexOfPrinter(printerName);
    if (index < 0) throw UsageError{vlTr("no printer named '%1'", {printerName})};
    if (!p.SelectPrinter(index)) throw UsageError{vlTr("printer '%1' cannot be read", {printerName})};
  }
  bool offered = false;
  for (int c : p.PaperCodes) offered = offered || c == code;
  if (!offered)
    throw UsageError{vlTr("paper code %1 is not offered by '%2'", {rest[0], p.SelectedName()})};

  int width = 0, height = 0;
  if (code == kCustomPaper) {
    const std::size_t comma = size.find(',');
    if (comma == std::string::npos) throw UsageError{vlTr("the custom size 256 needs --size WIDTH,HEIGHT")};
    width = ParseInt(size.substr(0, comma), vlTr("width"));
    height = ParseInt(size.substr(comma + 1), vlTr("height"));
    if (width <= 0 || height <= 0) throw UsageError{vlTr("the size must be positive")};
  } else if (const TvlPaperSize* row = vlFindPaper(code)) {
    width = landscape ? row->HeightTenths : row->WidthTenths;
    height = landscape ? row->WidthTenths : row->HeightTenths;
  }
  if (!p.SetPaper(code, width, height, landscape ? 1 : 0, -1, true))
    throw UsageError{vlTr("the printer refused paper code %1", {rest[0]})};

  TvlPaperMetrics m;
  p.FillMetrics(m);
  nlohmann::ordered_json doc;
  doc["Printer"] = Utf8(p.SelectedName());
  doc["PaperCode"] = p.PaperCode;
  doc["PaperName"] = Utf8(p.PaperNameList[static_cast<std::size_t>(p.PaperIndex(p.PaperCode))]);
  doc["PaperWidthTenths"] = p.PaperWidthTenths;
  doc["PaperHeightTenths"] = p.PaperHeightTenths;
  doc["Landscape"] = p.Landscape;
  doc["BinCode"] = p.BinCode;
  doc["PaperMetrics"] = {
      {"PaperWidthPx", m.PaperWidthPx},         {"PaperHeightPx", m.PaperHeightPx},
      {"PaperWidthU", m.PaperWidthU},           {"PaperHeightU", m.PaperHeightU},
      {"OffsetXPx", m.OffsetXPx},               {"OffsetYPx", m.OffsetYPx},
      {"OffsetXU", m.OffsetXU},                 {"OffsetYU", m.OffsetYU},
      {"PrintableWidthPx", m.PrintableWidthPx}, {"PrintableHeightPx", m.PrintableHeightPx},
      {"PrintableWidthU", m.PrintableWidthU},   {"PrintableHeightU", m.PrintableHeightU},
  };
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
