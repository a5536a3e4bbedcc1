#include "platform/recording_print_job.h"

#include "platform/memory_printer.h"
#include "platform/platform.h"

namespace vl {

TvlPlatformPrinter* TvlRecordingPrintJob::Printer() const {
  return printer_ ? static_cast<TvlPlatformPrinter*>(printer_) : vlPlatform().Printer;
}

bool TvlRecordingPrintJob::Begin() {
  if (running_) return false;
  TvlPlatformPrinter* printer = Printer();
  TvlDeviceInfo info;
  TvlDeviceMetrics metrics;
  if (RefuseBegin || !printer || !printer->ReadDevice(info) || !printer->Metrics(metrics)) return false;
  TvlRecordedJob job;
  job.Title = Title();
  job.Copies = Copies();
  job.Printer = info.Device;
  job.Mode = info.Mode;
  job.Metrics = metrics;
  Jobs.push_back(std::move(job));
  running_ = true;
  if (auto* memory = dynamic_cast<TvlMemoryPrinter*>(printer)) memory->IsPrinting = true;
  AddPage();
  return true;
}

void TvlRecordingPrintJob::AddPage() {
  TvlRecordedJob& job = Jobs.back();
  const TvlDeviceMetrics& m = job.Metrics;
  job.Pages.push_back(std::make_unique<TvlRecordingCanvas>(TvlSize{m.PrintableWidth, m.PrintableHeight},
                                                           static_cast<int>(m.DpiX)));
  job.Pages.back()->SetKind(TvlSurfaceKind::Printer);
}

bool TvlRecordingPrintJob::NewPage() {
  if (!running_) return false;
  AddPage();
  return true;
}

void TvlRecordingPrintJob::Finish() {
  running_ = false;
  if (auto* memory = dynamic_cast<TvlMemoryPrinter*>(Printer())) memory->IsPrinting = false;
}

bool TvlRecordingPrintJob::End() {
  if (!running_) return false;
  Jobs.back().Ended = true;
  Finish();
  return true;
}

void TvlRecordingPrintJob::Abort() {
  if (!running_) return;
  Jobs.back().Aborted = true;
  Finish();
}

TvlCanvas* TvlRecordingPrintJob::Canvas() {
  return running_ ? Jobs.back().Pages.back().get() : nullptr;
}

}  // namespace vl
