// vlreport printers: every printer of the model (the CUPS queues and the
// virtual printer) with its driver, the papers with their sizes and the bins
// it offers.

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

int RunPrinters(const Args& args) {
  if (!ArgReader(args).Positional().empty()) throw UsageError{vlTr("takes no arguments")};
  TvlPrinter& p = vlPrinter();
  const int selected = p.SelectedIndex;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (int k = 0; k < static_cast<int>(p.PrinterList.size()); ++k) {
    p.SelectPrinter(k);
    nlohmann::ordered_json printer;
    printer["name"] = Utf8(p.PrinterList[static_cast<std::size_t>(k)]);
    printer["virtual"] = k == p.VirtualIndex;
    printer["selected"] = k == selected;
    printer["readable"] = p.SelectedIndex == k;
    printer["driver"] = Utf8(p.Driver);
    printer["port"] = Utf8(p.Port);
    // Sizes of the papers (portrait, tenths of a millimetre): the platform's
    // list for a platform printer, the paper table for the virtual one.
    std::vector<TvlPlatformPaper> sizes;
    if (!p.IsVirtual() && vlPlatform().Printer) sizes = vlPlatform().Printer->Papers();
    nlohmann::ordered_json papers = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < p.PaperCodes.size(); ++i) {
      nlohmann::ordered_json paper = {{"code", p.PaperCodes[i]}, {"name", Utf8(p.PaperNameList[i])}};
      if (i < sizes.size()) {
        paper["width"] = sizes[i].WidthTenths;
        paper["height"] = sizes[i].HeightTenths;
      } else if (const TvlPaperSize* row = p.IsVirtual() ? vlFindPaper(p.PaperCodes[i]) : nullptr) {
        paper["width"] = row->WidthTenths;
        paper["height"] = row->HeightTenths;
      }
      papers.push_back(paper);
    }
    printer["papers"] = papers;
    nlohmann::ordered_json bins = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < p.BinCodes.size(); ++i)
      bins.push_back({{"code", p.BinCodes[i]}, {"name", Utf8(p.BinNameList[i])}});
    printer["bins"] = bins;
    list.push_back(printer);
  }
  p.SelectPrinter(selected);
  PrintJson(list);
  return 0;
}

}  // namespace vl::cli
