#pragma once
// Printing without a printer: two office printers held in memory (the
// second current), a print job that records what it is given, a message
// box that records and a progress window without a window. Installed for
// the fixture's lifetime; the previous facilities come back afterwards.

#include "engine/printer/printer.h"
#include "platform/direct_progress_window.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "platform/recording_print_job.h"

namespace vl {

class TvlPrintPlatform {
 public:
  TvlPrintPlatform() : previous_(vlPlatform()) {
    vlInstallPlatform(TvlPlatform{&Messages, nullptr, nullptr, &Printers, &Progress, &Job});
    vlResetPrinter(&Printers);
  }
  ~TvlPrintPlatform() {
    vlInstallPlatform(previous_);
    vlResetPrinter(previous_.Printer);
  }
  TvlPrintPlatform(const TvlPrintPlatform&) = delete;
  TvlPrintPlatform& operator=(const TvlPrintPlatform&) = delete;

  TvlMemoryPrinter Printers{{vlSampleLaserPrinter("Office laser"), vlSampleLaserPrinter("Envelope printer")}, 1};
  TvlRecordingPrintJob Job{&Printers};
  TvlRecordingMessageBox Messages;
  TvlDirectProgressWindow Progress;

 private:
  TvlPlatform previous_;
};

}  // namespace vl
