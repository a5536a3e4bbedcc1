#pragma once
// Printers held in memory, with fixed paper lists, bins, resolution and
// unprintable margins. Tests and headless runs use it; with no printers in
// it the model offers only the virtual printer.

#include <string>
#include <vector>

#include "platform/platform_printer.h"

namespace vl {

struct TvlMemoryPrinterSpec {
  std::string Name;
  std::string Driver = "memory";
  std::string Port = "MEM:";
  double DpiX = 600, DpiY = 600;
  std::vector<TvlPlatformPaper> Papers;
  std::vector<TvlPlatformBin> Bins;
  std::int32_t OffsetXPx = 100, OffsetYPx = 100;  // unprintable margin on every side
  TvlDeviceMode Mode;
  bool Readable = true;        // false: reading the device fails
  bool AcceptsSettings = true;  // false: new device settings are refused
};

class TvlMemoryPrinter : public TvlPlatformPrinter {
 public:
  TvlMemoryPrinter() = default;
  explicit TvlMemoryPrinter(std::vector<TvlMemoryPrinterSpec> printers, int current = 0);

  std::vector<std::string> PrinterNames() override;
  int CurrentIndex() override;
  bool SetCurrentIndex(int index) override;
  bool ReadDevice(TvlDeviceInfo& info) override;
  bool WriteDevice(const TvlDeviceMode& mode) override;
  std::vector<TvlPlatformPaper> Papers() override;
  std::vector<TvlPlatformBin> Bins() override;
  bool Metrics(TvlDeviceMetrics& metrics) override;
  bool Printing() override { return IsPrinting; }
  bool PropertiesDialog(TvlDeviceMode& mode) override;

  std::vector<TvlMemoryPrinterSpec> Printers;
  int Current = -1;
  bool IsPrinting = false;
  // What the properties dialog answers: applied to the mode when set.
  bool DialogAccepts = false;
  TvlDeviceMode DialogResult;

 private:
  TvlMemoryPrinterSpec* Selected();
};

// A typical office laser printer at 600 dpi with A4, Letter, A5, DL, C5 and a
// custom size, and two trays.
TvlMemoryPrinterSpec vlSampleLaserPrinter(const std::string& name);

}  // namespace vl
