#pragma once
// The installed printers (CUPS) through Qt Print Support. Paper sizes carry the
// standard paper codes where Qt knows one, and the custom code 256 otherwise.

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <memory>
#include <vector>

#include "platform/platform_printer.h"

class QPrinter;

namespace vl {

// The page size and orientation a device mode asks of a printer that offers
// the given sizes. Standard codes become Qt's page size ids (the envelopes
// DL, C5, C4, C6 and #10 among them). The printer's own entry of that size is
// preferred, so CUPS gets the media name its driver knows and a printer picks
// its envelope feeder where the driver offers one; a size the printer does
// not list goes as a custom size where the printer takes custom sizes. A
// custom size wider than it is tall (the ZL envelope, 230 x 120 mm as laid
// out) is given upright, 120 x 230 mm, with the orientation turned: the sheet
// on the page is the same.
struct TvlQtPageSetup {
  QPageSize Size;
  QPageLayout::Orientation Orientation = QPageLayout::Portrait;
};
TvlQtPageSetup vlQtPageSetup(const TvlDeviceMode& mode, const QList<QPageSize>& offered = {},
                             bool customSizes = true);

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
  // The current printer's page sizes, read once when it is opened.
  QList<QPageSize> offered_;
  bool customSizes_ = true;
  std::unique_ptr<QPrinter> printer_;
  TvlDeviceMode mode_;
};

}  // namespace vl
