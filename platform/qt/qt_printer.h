#pragma once
// The installed printers (CUPS) through Qt Print Support. Paper sizes carry the
// standard paper codes where Qt knows one, and the custom code 256 otherwise.

#include <memory>
#include <vector>

#include "platform/platform_printer.h"

class QPrinter;

namespace vl {

class TvlQtPrinter : public TvlPlatformPrinter {
 public:
  TvlQtPrinter();
  ~TvlQtPrinter() override;

  std::vector<std::string> PrinterNames() override;
  int CurrentIndex() override;
  bool SetCurrentIndex(int index) override;
  bool ReadDevice(TvlDeviceInfo& info) override;
  bool WriteDevice(const TvlDeviceMode& mode) override;
  std::vector<TvlPlatformPaper> Papers() override;
  std::vector<TvlPlatformBin> Bins() override;
  bool Metrics(TvlDeviceMetrics& metrics) override;
  bool Printing() override;
  bool PropertiesDialog(TvlDeviceMode& mode) override;

  // The Qt printer configured with the current settings (printing uses it).
  QPrinter* Printer() { return printer_.get(); }

 private:
  void OpenPrinter();
  bool ApplyMode(const TvlDeviceMode& mode);

  std::vector<std::string> names_;
  int current_ = -1;
  std::unique_ptr<QPrinter> printer_;
  TvlDeviceMode mode_;
};

}  // namespace vl
