#include "engine/output/feed_calibration.h"

#include <algorithm>

#include "engine/core/units.h"
#include "platform/platform.h"

namespace vl {
namespace {

constexpr const char* kKey = "Software\\Vellora\\Printers\\";

// Printer names become one level of the key: a backslash would open another.
std::string KeyOf(const std::string& printerName) {
  std::string name = printerName;
  std::replace(name.begin(), name.end(), '\\', '/');
  return kKey + name;
}

std::int32_t Clamp(std::int32_t tenths) {
  return std::clamp(tenths, -TvlFeedCalibration::kMaxShiftTenths, TvlFeedCalibration::kMaxShiftTenths);
}

}  // namespace

TvlFeedCalibration vlReadFeedCalibration(const std::string& printerName) {
  TvlFeedCalibration c;
  if (printerName.empty()) return c;
  TvlSettingsStore& store = *vlPlatform().Settings;
  const std::string key = KeyOf(printerName);
  c.ShiftXTenths = Clamp(store.ReadInteger(key, "FeedShiftX", 0));
  c.ShiftYTenths = Clamp(store.ReadInteger(key, "FeedShiftY", 0));
  c.Turned = store.ReadBool(key, "FeedTurned", false);
  return c;
}

void vlWriteFeedCalibration(const std::string& printerName, const TvlFeedCalibration& calibration) {
  if (printerName.empty()) return;
  TvlSettingsStore& store = *vlPlatform().Settings;
  const std::string key = KeyOf(printerName);
  if (calibration.IsNone()) {
    store.DeleteKey(key);
    return;
  }
  store.WriteInteger(key, "FeedShiftX", Clamp(calibration.ShiftXTenths));
  store.WriteInteger(key, "FeedShiftY", Clamp(calibration.ShiftYTenths));
  store.WriteBool(key, "FeedTurned", calibration.Turned);
}

TvlRect vlSheetRect(const TvlPaperMetrics& m) {
  return {-m.OffsetXPx, -m.OffsetYPx, m.PaperWidthPx - m.OffsetXPx, m.PaperHeightPx - m.OffsetYPx};
}

TvlPoint vlFeedShiftPixels(const TvlFeedCalibration& calibration, int dpiX, int dpiY) {
  // 254 tenths of a millimetre to the inch.
  return {vlRound(calibration.ShiftXTenths * dpiX / 254.0), vlRound(calibration.ShiftYTenths * dpiY / 254.0)};
}

TvlFeedTurn::TvlFeedTurn(TvlCanvas& canvas, const TvlFeedCalibration& calibration, const TvlRect& sheet)
    : canvas_(canvas), turned_(calibration.Turned && !vlRectEmpty(sheet)) {
  if (turned_) canvas_.SetHalfTurn(sheet);
}

TvlFeedTurn::~TvlFeedTurn() {
  if (turned_) canvas_.SetHalfTurn(TvlRect{});
}

}  // namespace vl
