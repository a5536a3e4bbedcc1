#pragma once
// The engine's one model of the current printer: the printer list with the
// virtual printer always last, the selected paper and bin, the papers and bins
// offered, and the mapping of paper to page units.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/printer/paper_metrics.h"
#include "platform/platform_printer.h"

namespace vl {

class TvlPrinter {
 public:
  // Creates the model (A4) and attaches it to the platform's printers.
  explicit TvlPrinter(TvlPlatformPrinter* platform);

  // Rebuilds the printer list from the platform; the platform's current printer
  // becomes selected, or the virtual printer when there is none.
  void Attach(TvlPlatformPrinter* platform);

  // Selects an entry of PrinterList. Returns false when a platform printer
  // could not be made current or read (the virtual printer is then selected).
  bool SelectPrinter(int index);
  // Stores and applies the paper unless the platform is printing, or unless it
  // is already the current paper and not forced. Returns false when the
  // printer refused it.
  bool SetPaper(std::int32_t code, std::int32_t widthTenths, std::int32_t heightTenths,
                std::int32_t landscape, std::int32_t bin, bool forced);
  bool IsCurrentPaper(std::int32_t code, std::int32_t widthTenths, std::int32_t heightTenths,
                      std::int32_t landscape, std::int32_t bin) const;
  void FillMetrics(TvlPaperMetrics& m) const;
  // Position in PaperCodes, or the last position when absent.
  int PaperIndex(std::int32_t code) const;
  // Position in BinCodes, or 0 when absent.
  int BinIndex(std::int32_t code) const;
  // The platform's document properties for the selected printer.
  bool PropertiesDialog();
  // Reads the selected printer again (after a platform page-setup dialog).
  void Reread();
  // PaperNameList joined with ";", or "No data" when empty.
  std::string PaperNamesText() const;

  bool IsVirtual() const { return SelectedIndex == VirtualIndex; }
  const std::string& SelectedName() const;
  int IndexOfPrinter(const std::string& name) const;

  std::vector<std::string> PrinterList;
  int SelectedIndex = 0;
  int VirtualIndex = 0;
  std::string Device, Driver, Port;
  TvlDeviceMode DeviceMode;
  std::int32_t PaperCode = 9;
  std::int32_t PaperWidthTenths = 2100;
  std::int32_t PaperHeightTenths = 2970;
  std::int32_t Landscape = 0;
  std::int32_t BinCode = -1;
  std::vector<std::int32_t> PaperCodes;
  std::vector<std::string> PaperNameList;
  std::vector<std::int32_t> BinCodes;
  std::vector<std::string> BinNameList;

 private:
  bool ReadPlatformPrinter();
  void ApplyVirtual();
  bool Apply();

  TvlPlatformPrinter* platform_ = nullptr;
};

// The engine-wide printer model, created on first use over the platform's printers.
TvlPrinter& vlPrinter();
// Recreates the engine-wide model over the given platform printer (start-up, tests).
void vlResetPrinter(TvlPlatformPrinter* platform);

// The report-level printer operations. A report keeps the name of its printer;
// these keep that name and the model in step.
//
// Selects the named printer when selectWhenLoaded is on and the name is known;
// the name becomes the stored name in any case.
void vlSelectPrinterByName(bool selectWhenLoaded, const std::string& name, std::string& storedName);
// Selects newIndex, stores its name, forces the paper to be re-applied and
// re-applies every page's paper (reapplyPages returns false on failure). On any
// failure shows "Printer selected is not valid", goes back to oldIndex and
// returns false.
bool vlChangePrinter(int oldIndex, int newIndex, std::string& storedName,
                     const std::function<bool()>& reapplyPages);

}  // namespace vl
