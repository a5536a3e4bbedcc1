#include "engine/output/page_setup.h"

#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"

namespace vl {

void vlApplyPageSetup(TvlReport& report, const TvlPageSetupChoice& choice) {
  TvlPrinter& printer = vlPrinter();
  if (!printer.IsVirtual()) {
    vlPlatform().Printer->WriteDevice(choice.Mode);
    printer.Reread();
  }
  const TvlRect& m = choice.Margins;
  for (int i = 0; i < report.Pages.Count(); ++i) {
    TvlPage& page = *report.Pages[i];
    page.Margins = {vlUnitsFromHundredths(m.Left), vlUnitsFromHundredths(m.Top), vlUnitsFromHundredths(m.Right),
                    vlUnitsFromHundredths(m.Bottom)};
    page.PaperSize = printer.PaperCode;
    // A standard paper brings its own size; a custom one keeps the printer's.
    const bool custom = printer.PaperCode == 256;
    page.PaperWidth = custom ? printer.PaperWidthTenths : 0;
    page.PaperHeight = custom ? printer.PaperHeightTenths : 0;
    page.Orientation = static_cast<std::uint8_t>(printer.Landscape ? 1 : 0);
    page.Bin = printer.BinCode;
    page.ApplyPaper();
  }
  report.Modified = true;
}

}  // namespace vl
