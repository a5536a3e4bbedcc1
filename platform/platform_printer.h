#pragma once
// What the printer model asks of the operating system's printers: the list,
// the selected printer's device settings, the paper sizes and bins it offers,
// and its resolution, physical page and printable area.

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// The device settings of one printer, in the platform's standard codes: paper
// size codes (9 = A4, 256 = custom), sizes in tenths of a millimetre,
// orientation 1 portrait / 2 landscape, paper source codes.
struct TvlDeviceMode {
  std::int32_t PaperSize = 9;
  std::int32_t PaperLength = 0;  // custom size only
  std::int32_t PaperWidth = 0;   // custom size only
  bool CustomSizeValid = false;
  std::int32_t Orientation = 1;
  std::int32_t Copies = 1;
  std::int32_t DefaultSource = 7;  // automatic
};

struct TvlPlatformPaper {
  std::int32_t Code = 0;  // standard code, or 256 for a size with none
  std::string Name;
  std::int32_t WidthTenths = 0;  // portrait
  std::int32_t HeightTenths = 0;
};

struct TvlPlatformBin {
  std::int32_t Code = 0;
  std::string Name;
};

// What the device reports for the current settings, in printer pixels.
struct TvlDeviceMetrics {
  double DpiX = 0, DpiY = 0;
  std::int32_t PhysicalWidth = 0, PhysicalHeight = 0;  // as oriented
  std::int32_t OffsetX = 0, OffsetY = 0;               // unprintable left and top
  std::int32_t PrintableWidth = 0, PrintableHeight = 0;
};

struct TvlDeviceInfo {
  std::string Device, Driver, Port;
  TvlDeviceMode Mode;
};

class TvlPlatformPrinter {
 public:
  virtual ~TvlPlatformPrinter() = default;
  // Printer names in platform order.
  virtual std::vector<std::string> PrinterNames() = 0;
  // Index of the platform's current printer, or -1 when there is none.
  virtual int CurrentIndex() = 0;
  virtual bool SetCurrentIndex(int index) = 0;
  // The current printer's identification and device settings.
  virtual bool ReadDevice(TvlDeviceInfo& info) = 0;
  // Gives the current printer new device settings.
  virtual bool WriteDevice(const TvlDeviceMode& mode) = 0;
  virtual std::vector<TvlPlatformPaper> Papers() = 0;
  virtual std::vector<TvlPlatformBin> Bins() = 0;
  virtual bool Metrics(TvlDeviceMetrics& metrics) = 0;
  // True while a print job of this printer is running.
  virtual bool Printing() = 0;
  // Lets the user edit the device settings; false when cancelled or unavailable.
  virtual bool PropertiesDialog(TvlDeviceMode& mode) = 0;
};

}  // namespace vl
