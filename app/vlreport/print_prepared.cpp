#include "app/vlreport/print_prepared.h"

#include <QString>
#include <cstdio>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/core/project_texts.h"
#include "engine/output/feed_calibration.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"

namespace vl::cli {
namespace {

const char* ResultName(TvlPrintResult r) {
  switch (r) {
    case TvlPrintResult::Printed: return "Printed";
    case TvlPrintResult::NothingToPrint: return "NothingToPrint";
    case TvlPrintResult::Cancelled: return "Cancelled";
    case TvlPrintResult::BadRange: return "BadRange";
    case TvlPrintResult::NoPrinter: return "NoPrinter";
    case TvlPrintResult::Failed: return "Failed";
  }
  return "Failed";
}

}  // namespace

int PrinterIndex(const std::string& name) {
  TvlPrinter& printer = vlPrinter();
  const int index = printer.IndexOfPrinter(vlFromQt(QString::fromUtf8(name.c_str())));
  if (index < 0) throw UsageError{vlTr("no printer named '%1'", {name})};
  if (index == printer.VirtualIndex) throw UsageError{vlTr("the virtual printer does not print; name a printer")};
  return index;
}

nlohmann::ordered_json PrintPrepared(TvlReport& report, int index, const PrintTarget& target,
                                     const nlohmann::ordered_json* warnings, bool& printed) {
  TvlPrinter& printer = vlPrinter();
  report.ShowProgress = false;
  // Loading and preparing select the file's own printer: the one asked for wins.
  if (!printer.SelectPrinter(index)) throw UsageError{vlTr("printer '%1' cannot be read", {target.Printer})};

  // The feed calibration the user set for this printer in the program's
  // print dialog applies here too: the user's own settings store.
  TvlQtSettingsStore userSettings;
  TvlSettingsStore* before = vlPlatform().Settings;
  vlInstallPlatform(TvlPlatform{nullptr, &userSettings});
  const TvlFeedCalibration feed = vlReadFeedCalibration(printer.SelectedName());
  const TvlPrintResult result = report.PrintPrepared(target.Range, static_cast<std::int32_t>(target.Copies),
                                                     target.Parity, target.Collate);
  vlInstallPlatform(TvlPlatform{nullptr, before});
  if (result == TvlPrintResult::NothingToPrint) std::fprintf(stderr, "vlreport print: %s\n", vlTr("no page is selected").c_str());
  if (result == TvlPrintResult::NoPrinter) std::fprintf(stderr, "vlreport print: %s\n", vlTr("no printer to print on").c_str());
  nlohmann::ordered_json doc;
  doc["Printer"] = Utf8(printer.SelectedName());
  doc["Pages"] = report.EMFPages.Count();
  doc["Result"] = ResultName(result);
  if (warnings) doc["Warnings"] = *warnings;
  if (!feed.IsNone())
    doc["Feed"] = {{"Right", feed.ShiftXTenths / 10.0}, {"Down", feed.ShiftYTenths / 10.0}, {"Turned", feed.Turned}};
  printed = result == TvlPrintResult::Printed;
  return doc;
}

}  // namespace vl::cli
