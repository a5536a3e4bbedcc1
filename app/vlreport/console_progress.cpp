#include "app/vlreport/console_progress.h"

#include <unistd.h>

namespace vl::cli {
namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);
// The line is rewritten at most this often.
constexpr auto kEvery = std::chrono::milliseconds(100);

}  // namespace

ConsoleProgress::ConsoleProgress(std::FILE* to)
    : to_(to), enabled_(to && ::isatty(::fileno(to))), start_(std::chrono::steady_clock::now()) {}

ConsoleProgress::~ConsoleProgress() { Finish(); }

void ConsoleProgress::Show(const std::string& text) {
  if (!enabled_) return;
  text_ = text;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < kQuietFor || (shown_ && now - last_ < kEvery)) return;
  last_ = now;
  shown_ = true;
  Write();
}

void ConsoleProgress::Write() {
  // Blanks wipe what a longer line left behind.
  const std::size_t pad = width_ > text_.size() ? width_ - text_.size() : 0;
  std::fprintf(to_, "\r%s%s", text_.c_str(), std::string(pad, ' ').c_str());
  std::fflush(to_);
  width_ = text_.size();
}

void ConsoleProgress::Finish() {
  if (!shown_) return;
  // The line ends on the last state, which the rate limit may have skipped.
  Write();
  std::fputc('\n', to_);
  std::fflush(to_);
  shown_ = false;
  width_ = 0;
}

}  // namespace vl::cli
