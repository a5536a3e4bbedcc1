#pragma once
// A print job on the platform's current printer: begun, given pages, ended
// or aborted. The job prints on the paper and orientation the printer holds
// when it begins (the printer model sets them through the device settings),
// so a change of paper means a new job. Drawing goes through the printer's
// canvas, whose origin is the corner of the printable area, in printer pixels.

#include <cstdint>
#include <string>

namespace vl {

class TvlCanvas;

class TvlPrintJob {
 public:
  virtual ~TvlPrintJob() = default;

  // Settings taken by the next Begin: the job's title as the spooler shows
  // it, and the copies the printer makes of the whole job (below 1 counts
  // as 1). The printer makes them without collating; collated copies are
  // printed page by page by the caller.
  void SetTitle(const std::string& title) { title_ = title; }
  void SetCopies(std::int32_t copies) { copies_ = copies < 1 ? 1 : copies; }
  const std::string& Title() const { return title_; }
  std::int32_t Copies() const { return copies_; }

  // Starts a job with its first page. False when the printer cannot print;
  // nothing is then running.
  virtual bool Begin() = 0;
  // Ends the page drawn so far and starts the next one.
  virtual bool NewPage() = 0;
  // Sends the job to the printer. False when it could not be sent.
  virtual bool End() = 0;
  // Drops the running job: nothing of it reaches the printer where the
  // platform allows.
  virtual void Abort() = 0;
  virtual bool Printing() const = 0;

  // The surface of the running job's current page; null when no job runs.
  virtual TvlCanvas* Canvas() = 0;

 private:
  std::string title_;
  std::int32_t copies_ = 1;
};

}  // namespace vl
