#include "platform/memory_printer.h"

#include <cmath>

namespace vl {

TvlMemoryPrinter::TvlMemoryPrinter(std::vector<TvlMemoryPrinterSpec> printers, int current)
    : Printers(std::move(printers)), Current(Printers.empty() ? -1 : current) {}

TvlMemoryPrinterSpec* TvlMemoryPrinter::Selected() {
  if (Current < 0 || Current >= static_cast<int>(Printers.size())) return nullptr;
  return &Printers[static_cast<std::size_t>(Current)];
}

std::vector<std::string> TvlMemoryPrinter::PrinterNames() {
  std::vector<std::string> names;
  for (const auto& p : Printers) names.push_back(p.Name);
  return names;
}

int TvlMemoryPrinter::CurrentIndex() { return Selected() ? Current : -1; }

bool TvlMemoryPrinter::SetCurrentIndex(int index) {
  if (index < 0 || index >= static_cast<int>(Printers.size())) return false;
  Current = index;
  return true;
}

bool TvlMemoryPrinter::ReadDevice(TvlDeviceInfo& info) {
  TvlMemoryPrinterSpec* p = Selected();
  if (!p || !p->Readable) return false;
  info.Device = p->Name;
  info.Driver = p->Driver;
  info.Port = p->Port;
  info.Mode = p->Mode;
  return true;
}

bool TvlMemoryPrinter::WriteDevice(const TvlDeviceMode& mode) {
  TvlMemoryPrinterSpec* p = Selected();
  if (!p || !p->AcceptsSettings) return false;
  if (mode.PaperSize != 256) {
    bool known = false;
    for (const auto& paper : p->Papers) known = known || paper.Code == mode.PaperSize;
    if (!known) return false;
  } else if (!mode.CustomSizeValid || mode.PaperWidth <= 0 || mode.PaperLength <= 0) {
    return false;
  }
  p->Mode = mode;
  return true;
}

std::vector<TvlPlatformPaper> TvlMemoryPrinter::Papers() {
  TvlMemoryPrinterSpec* p = Selected();
  return p ? p->Papers : std::vector<TvlPlatformPaper>{};
}

std::vector<TvlPlatformBin> TvlMemoryPrinter::Bins() {
  TvlMemoryPrinterSpec* p = Selected();
  return p ? p->Bins : std::vector<TvlPlatformBin>{};
}

bool TvlMemoryPrinter::Metrics(TvlDeviceMetrics& m) {
  TvlMemoryPrinterSpec* p = Selected();
  if (!p) return false;
  std::int32_t w = 0, h = 0;
  if (p->Mode.PaperSize == 256) {
    w = p->Mode.PaperWidth;
    h = p->Mode.PaperLength;
  } else {
    for (const auto& paper : p->Papers)
      if (paper.Code == p->Mode.PaperSize) {
        w = paper.WidthTenths;
        h = paper.HeightTenths;
      }
  }
  if (p->Mode.Orientation == 2) std::swap(w, h);
  m.DpiX = p->DpiX;
  m.DpiY = p->DpiY;
  m.PhysicalWidth = static_cast<std::int32_t>(std::lround(w * p->DpiX / 254.0));
  m.PhysicalHeight = static_cast<std::int32_t>(std::lround(h * p->DpiY / 254.0));
  m.OffsetX = p->OffsetXPx;
  m.OffsetY = p->OffsetYPx;
  m.PrintableWidth = m.PhysicalWidth - 2 * p->OffsetXPx;
  m.PrintableHeight = m.PhysicalHeight - 2 * p->OffsetYPx;
  return true;
}

bool TvlMemoryPrinter::PropertiesDialog(TvlDeviceMode& mode) {
  if (!Selected() || !DialogAccepts) return false;
  mode = DialogResult;
  return true;
}

TvlMemoryPrinterSpec vlSampleLaserPrinter(const std::string& name) {
  TvlMemoryPrinterSpec s;
  s.Name = name;
  s.Papers = {{9, "A4", 2100, 2970},  {1, "Letter", 2159, 2794}, {11, "A5", 1480, 2100},
              {27, "Envelope DL", 1100, 2200}, {28, "Envelope C5", 1620, 2290},
              {256, "Custom", 0, 0}};
  s.Bins = {{7, "Automatically Select"}, {1, "Tray 1"}, {2, "Tray 2"}};
  return s;
}

}  // namespace vl
