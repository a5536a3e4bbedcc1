#pragma once
// One progress line on standard error for a long command ("page 120 of
// 10000"), rewritten in place. It appears only once the command has run for
// a second and only when standard error is a terminal, so short runs and
// runs whose output is captured stay quiet.

#include <chrono>
#include <cstdio>
#include <string>

namespace vl::cli {

class ConsoleProgress {
 public:
  // to: where the line goes; a stream that is not a terminal gets nothing.
  explicit ConsoleProgress(std::FILE* to = stderr);
  ~ConsoleProgress();
  ConsoleProgress(const ConsoleProgress&) = delete;
  ConsoleProgress& operator=(const ConsoleProgress&) = delete;

  // The line's text now, for example "Drawing page 120 of 10000".
  void Show(const std::string& text);
  // Ends the line (a newline when one was written).
  void Finish();

 private:
  void Write();

  std::FILE* to_;
  bool enabled_;
  bool shown_ = false;
  std::size_t width_ = 0;
  std::string text_;
  std::chrono::steady_clock::time_point start_, last_;
};

}  // namespace vl::cli
