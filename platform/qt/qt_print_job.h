#pragma once
// Print jobs on the installed printers: the job paints on the Qt printer
// that TvlQtPrinter keeps configured with the current device settings, into
// a document of its own, which it hands to CUPS when it ends with that paper
// and orientation. An aborted job never reaches the queue.

#include <QPainter>
#include <QString>
#include <memory>

#include "platform/print_job.h"

namespace vl {

class TvlQtCanvas;
class TvlQtPrinter;

class TvlQtPrintJob : public TvlPrintJob {
 public:
  explicit TvlQtPrintJob(TvlQtPrinter& printer);
  ~TvlQtPrintJob() override;

  bool Begin() override;
  bool NewPage() override;
  bool End() override;
  void Abort() override;
  bool Printing() const override { return canvas_ != nullptr; }
  TvlCanvas* Canvas() override;

 private:
  void Release();

  TvlQtPrinter& printer_;
  QString spoolFile_;  // the running job's document
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TvlQtCanvas> canvas_;
};

}  // namespace vl
