#include "engine/script/run_budget.h"

#include "engine/core/error.h"

namespace vl {

TvlRunBudget::TvlRunBudget(std::uint64_t maxSteps, std::chrono::milliseconds maxTime, Clock clock)
    : maxSteps_(maxSteps),
      maxTime_(maxTime),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      start_(clock_()) {}

void TvlRunBudget::Spend() {
  ++spent_;
  if (maxSteps_ != 0 && spent_ > maxSteps_) Stop(std::to_string(maxSteps_) + " script steps");
  if (++sinceClock_ >= kClockInterval) {
    sinceClock_ = 0;
    CheckTime();
  }
}

void TvlRunBudget::CheckTime() {
  if (maxTime_.count() <= 0) return;
  if (clock_() - start_ > maxTime_) {
    const auto ms = maxTime_.count();
    const std::string seconds = ms % 1000 == 0 ? std::to_string(ms / 1000) : std::to_string(static_cast<double>(ms) / 1000.0);
    Stop(seconds + " seconds");
  }
}

void TvlRunBudget::Stop(const std::string& what) const {
  std::string message = What + " " + script_msg::kBudgetStopped + " " + what;
  if (Owner) {
    const std::string owner = Owner();
    if (!owner.empty()) message += " (object \"" + owner + "\")";
  }
  throw TvlError(message);
}

}  // namespace vl
