#pragma once
// A print job that keeps what it was given instead of printing: every job
// with its title, copies, the printer and paper it began on, and every page
// as the operations drawn on it. Tests and headless runs use it over the
// in-memory printers, which it marks as printing while a job runs.

#include <memory>
#include <string>
#include <vector>

#include "platform/platform_printer.h"
#include "platform/print_job.h"
#include "platform/recording_canvas.h"

namespace vl {

class TvlMemoryPrinter;

struct TvlRecordedJob {
  std::string Title;
  std::int32_t Copies = 1;
  std::string Printer;        // the device the job began on
  TvlDeviceMode Mode;         // its paper and orientation at the start
  TvlDeviceMetrics Metrics;   // printer pixels of that paper
  std::vector<std::unique_ptr<TvlRecordingCanvas>> Pages;
  bool Ended = false;
  bool Aborted = false;
};

class TvlRecordingPrintJob : public TvlPrintJob {
 public:
  // The job prints on printer (the platform's current printer when null).
  explicit TvlRecordingPrintJob(TvlMemoryPrinter* printer = nullptr) : printer_(printer) {}

  bool Begin() override;
  bool NewPage() override;
  bool End() override;
  void Abort() override;
  bool Printing() const override { return running_; }
  TvlCanvas* Canvas() override;

  std::vector<TvlRecordedJob> Jobs;
  bool RefuseBegin = false;  // Begin fails, as with a printer that cannot print

 private:
  TvlPlatformPrinter* Printer() const;
  void AddPage();
  void Finish();

  TvlMemoryPrinter* printer_;
  bool running_ = false;
};

}  // namespace vl
