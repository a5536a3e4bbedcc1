#include "engine/printer/printer.h"

#include <cstdlib>
#include <memory>

#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/printer/paper_table.h"
#include "platform/platform.h"

namespace vl {

TvlPrinter::TvlPrinter(TvlPlatformPrinter* platform) {
  for (const TvlPaperSize& p : vlPaperTable()) {
    PaperCodes.push_back(p.Code);
    PaperNameList.push_back(vlPaperName(p.Code));
  }
  Attach(platform);
}

void TvlPrinter::Attach(TvlPlatformPrinter* platform) {
  platform_ = platform;
  PrinterList.clear();
  int current = -1;
  if (platform_) {
    PrinterList = platform_->PrinterNames();
    current = platform_->CurrentIndex();
  }
  PrinterList.push_back(vlLoadStr(str::kVirtualPrinter));
  VirtualIndex = static_cast<int>(PrinterList.size()) - 1;
  if (current >= 0 && current < VirtualIndex && ReadPlatformPrinter()) {
    SelectedIndex = current;
    return;
  }
  // No printer, or one that cannot be read: the virtual printer, with the paper
  // code cleared so that the next paper request always applies.
  SelectedIndex = VirtualIndex;
  ApplyVirtual();
  PaperCode = -1;
}

bool TvlPrinter::ReadPlatformPrinter() {
  if (!platform_) return false;
  TvlDeviceInfo info;
  if (!platform_->ReadDevice(info) && !platform_->ReadDevice(info)) return false;
  TvlDeviceMetrics m;
  if (!platform_->Metrics(m) || m.DpiX <= 0 || m.DpiY <= 0) return false;
  Device = info.Device.substr(0, 128);
  Driver = info.Driver.substr(0, 128);
  Port = info.Port.substr(0, 128);
  DeviceMode = info.Mode;
  PaperCode = info.Mode.PaperSize;
  PaperWidthTenths = vlRound(m.PhysicalWidth / m.DpiX * 254.0);
  PaperHeightTenths = vlRound(m.PhysicalHeight / m.DpiY * 254.0);
  PaperCodes.clear();
  PaperNameList.clear();
  for (const TvlPlatformPaper& p : platform_->Papers()) {
    if (PaperCodes.size() >= 256) break;
    PaperCodes.push_back(p.Code);
    PaperNameList.push_back(p.Name.substr(0, 64));
  }
  BinCode = info.Mode.DefaultSource;
  BinCodes.assign(1, -1);
  BinNameList.assign(1, vlLoadStr(str::kDefaultBin));
  for (const TvlPlatformBin& b : platform_->Bins()) {
    BinCodes.push_back(b.Code);
    BinNameList.push_back(b.Name.substr(0, 24));
  }
  Landscape = info.Mode.Orientation != 1 ? 1 : 0;
  return true;
}

void TvlPrinter::ApplyVirtual() {
  PaperCodes.clear();
  PaperNameList.clear();
  for (const TvlPaperSize& p : vlPaperTable()) {
    PaperCodes.push_back(p.Code);
    PaperNameList.push_back(vlPaperName(p.Code));
  }
  BinCodes.assign(1, -1);
  BinNameList.assign(1, vlLoadStr(str::kDefaultBin));
  Device = PrinterList.empty() ? std::string() : PrinterList.back();
  Driver.clear();
  Port.clear();
  if (PaperCode != kCustomPaper) {
    if (const TvlPaperSize* p = vlFindPaper(PaperCode)) {
      PaperWidthTenths = Landscape ? p->HeightTenths : p->WidthTenths;
      PaperHeightTenths = Landscape ? p->WidthTenths : p->HeightTenths;
    }
  }
}

bool TvlPrinter::Apply() {
  if (IsVirtual()) {
    ApplyVirtual();
    return true;
  }
  TvlDeviceMode mode = DeviceMode;
  if (PaperCode == kCustomPaper) {
    mode.PaperLength = PaperHeightTenths;
    mode.PaperWidth = PaperWidthTenths;
    mode.CustomSizeValid = true;
  } else {
    mode.CustomSizeValid = false;
  }
  mode.PaperSize = PaperCode;
  mode.Orientation = Landscape ? 2 : 1;
  mode.Copies = 1;
  if (BinCode != -1) mode.DefaultSource = BinCode;
  if (!platform_->WriteDevice(mode)) {
    ReadPlatformPrinter();  // keep the model in step with what the printer holds
    return false;
  }
  return ReadPlatformPrinter();
}

bool TvlPrinter::SelectPrinter(int index) {
  if (index < 0 || index >= static_cast<int>(PrinterList.size())) return false;
  if (index == SelectedIndex) return true;
  if (index == VirtualIndex) {
    SelectedIndex = index;
    ApplyVirtual();
    return true;
  }
  if (!platform_ || !platform_->SetCurrentIndex(index) || !ReadPlatformPrinter()) {
    SelectedIndex = VirtualIndex;
    ApplyVirtual();
    return false;
  }
  SelectedIndex = index;
  return true;
}

bool TvlPrinter::SetPaper(std::int32_t code, std::int32_t widthTenths, std::int32_t heightTenths,
                          std::int32_t landscape, std::int32_t bin, bool forced) {
  if (!IsVirtual() && platform_ && platform_->Printing()) return true;
  if (!forced && IsCurrentPaper(code, widthTenths, heightTenths, landscape, bin)) return true;
  PaperCode = code;
  PaperWidthTenths = widthTenths;
  PaperHeightTenths = heightTenths;
  Landscape = landscape ? 1 : 0;
  BinCode = bin;
  return Apply();
}

bool TvlPrinter::IsCurrentPaper(std::int32_t code, std::int32_t widthTenths, std::int32_t heightTenths,
                                std::int32_t landscape, std::int32_t bin) const {
  if (code != PaperCode) return false;
  const bool sameOrientation = (landscape != 0) == (Landscape != 0);
  if (code == kCustomPaper)
    return std::abs(widthTenths - PaperWidthTenths) <= 1 &&
           std::abs(heightTenths - PaperHeightTenths) <= 1 && sameOrientation;
  return sameOrientation && (bin == BinCode || bin == -1);
}

void TvlPrinter::FillMetrics(TvlPaperMetrics& m) const {
  if (IsVirtual() || !platform_) {
    m.PaperWidthU = vlTenthsToUnits(PaperWidthTenths);
    m.PaperHeightU = vlTenthsToUnits(PaperHeightTenths);
    m.OffsetXU = vlTenthsToUnits(50);
    m.OffsetYU = m.OffsetXU;
    m.PrintableWidthU = m.PaperWidthU - 2 * m.OffsetXU;
    m.PrintableHeightU = m.PaperHeightU - 2 * m.OffsetYU;
    return;
  }
  TvlDeviceMetrics d;
  if (!platform_->Metrics(d) || d.DpiX <= 0 || d.DpiY <= 0) return;
  m.PaperWidthPx = d.PhysicalWidth;
  m.PaperHeightPx = d.PhysicalHeight;
  m.OffsetXPx = d.OffsetX;
  m.OffsetYPx = d.OffsetY;
  m.PrintableWidthPx = d.PrintableWidth;
  m.PrintableHeightPx = d.PrintableHeight;
  m.PaperWidthU = vlPixelsToUnits(d.PhysicalWidth, d.DpiX);
  m.PaperHeightU = vlPixelsToUnits(d.PhysicalHeight, d.DpiY);
  m.OffsetXU = vlPixelsToUnits(d.OffsetX, d.DpiX);
  m.OffsetYU = vlPixelsToUnits(d.OffsetY, d.DpiY);
  m.PrintableWidthU = vlPixelsToUnits(d.PrintableWidth, d.DpiX);
  m.PrintableHeightU = vlPixelsToUnits(d.PrintableHeight, d.DpiY);
}

int TvlPrinter::PaperIndex(std::int32_t code) const {
  for (std::size_t k = 0; k < PaperCodes.size(); ++k)
    if (PaperCodes[k] == code) return static_cast<int>(k);
  return static_cast<int>(PaperCodes.size()) - 1;
}

int TvlPrinter::BinIndex(std::int32_t code) const {
  for (std::size_t k = 0; k < BinCodes.size(); ++k)
    if (BinCodes[k] == code) return static_cast<int>(k);
  return 0;
}

bool TvlPrinter::PropertiesDialog() {
  if (IsVirtual() || !platform_) return false;
  TvlDeviceMode mode = DeviceMode;
  if (!platform_->PropertiesDialog(mode)) return false;
  if (!platform_->WriteDevice(mode)) return false;
  return ReadPlatformPrinter();
}

void TvlPrinter::Reread() {
  if (IsVirtual()) {
    ApplyVirtual();
    return;
  }
  if (!ReadPlatformPrinter()) {
    SelectedIndex = VirtualIndex;
    ApplyVirtual();
  }
}

std::string TvlPrinter::PaperNamesText() const {
  if (PaperNameList.empty()) return vlLoadStr(str::kNoData);
  std::string s;
  for (std::size_t k = 0; k < PaperNameList.size(); ++k) {
    if (k) s += ';';
    s += PaperNameList[k];
  }
  return s;
}

const std::string& TvlPrinter::SelectedName() const {
  return PrinterList[static_cast<std::size_t>(SelectedIndex)];
}

int TvlPrinter::IndexOfPrinter(const std::string& name) const {
  for (std::size_t k = 0; k < PrinterList.size(); ++k)
    if (PrinterList[k] == name) return static_cast<int>(k);
  // The virtual printer answers to its English name in any language, so
  // scripts and settings written in one language work in the other.
  if (VirtualIndex >= 0 && static_cast<std::size_t>(VirtualIndex) < PrinterList.size() &&
      name == vlBuiltinStr(str::kVirtualPrinter))
    return VirtualIndex;
  return -1;
}

namespace {
std::unique_ptr<TvlPrinter>& Instance() {
  static std::unique_ptr<TvlPrinter> printer;
  return printer;
}
}  // namespace

TvlPrinter& vlPrinter() {
  if (!Instance()) Instance() = std::make_unique<TvlPrinter>(vlPlatform().Printer);
  return *Instance();
}

void vlResetPrinter(TvlPlatformPrinter* platform) { Instance() = std::make_unique<TvlPrinter>(platform); }

void vlSelectPrinterByName(bool selectWhenLoaded, const std::string& name, std::string& storedName) {
  TvlPrinter& p = vlPrinter();
  const int index = p.IndexOfPrinter(name);
  if (selectWhenLoaded && index >= 0) p.SelectPrinter(index);
  storedName = name;
}

bool vlChangePrinter(int oldIndex, int newIndex, std::string& storedName,
                     const std::function<bool()>& reapplyPages) {
  TvlPrinter& p = vlPrinter();
  bool ok = p.SelectPrinter(newIndex) && p.SelectedIndex == newIndex;
  if (ok) {
    storedName = p.SelectedName();
    p.PaperCode = -1;  // the next paper request applies whatever it asks
    ok = !reapplyPages || reapplyPages();
  }
  if (ok) return true;
  vlShowMessage(vlLoadStr(str::kPrinterNotValid), vlLoadStr(str::kError), TvlMsgIcon::Error);
  p.SelectPrinter(oldIndex);
  storedName = p.SelectedName();
  p.PaperCode = -1;
  if (reapplyPages) reapplyPages();
  return false;
}

}  // namespace vl
