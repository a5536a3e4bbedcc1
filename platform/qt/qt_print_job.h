#pragma once
// Print jobs on the installed printers through Qt Print Support: the job
// paints on the Qt printer that TvlQtPrinter keeps configured with the
// current device settings, so each job carries that paper and orientation
// to CUPS.

#include <QPainter>
#include <memory>

#include "platform/print_job.h"

namespace vl {

class TvlQtCanvas;
class TvlQtPrinter;

class TvlQtPrintJob : public TvlPrintJob {
 public:
  explicit TvlQtPrintJob(TvlQtPrinter& printer);
  ~TvlQtPrintJob() override;

  void SetTitle(const std::string& title) override { title_ = title; }
  void SetCopies(std::int32_t copies) override { copies_ = copies < 1 ? 1 : copies; }
  bool Begin() override;
  bool NewPage() override;
  bool End() override;
  void Abort() override;
  bool Printing() const override { return canvas_ != nullptr; }
  TvlCanvas* Canvas() override;

 private:
  TvlQtPrinter& printer_;
  std::string title_;
  std::int32_t copies_ = 1;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TvlQtCanvas> canvas_;
};

}  // namespace vl
