#pragma once
// TvlRunBudget: what one preparation lets all its script runs spend together,
// lines executed and wall time, so that a cheap-looking page script repeated
// for every record cannot keep a run going for hours. An interpreter holding
// a budget spends one step per line; the clock is read every kClockInterval
// steps (and whenever CheckTime is called), so the check costs next to
// nothing. Running out throws TvlError with a message naming the object
// whose script was running.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace vl {

class TvlRunBudget {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::uint64_t kClockInterval = 1024;

  // 0 steps or a zero time means no limit of that kind; an empty clock is
  // the steady clock.
  TvlRunBudget(std::uint64_t maxSteps, std::chrono::milliseconds maxTime, Clock clock = {});

  // What stops, first word of the message.
  std::string What = "Preparation";
  // Names the object whose script is running, for the message.
  std::function<std::string()> Owner;

  void Spend();
  void CheckTime();
  std::uint64_t Spent() const noexcept { return spent_; }

 private:
  [[noreturn]] void Stop(const std::string& what) const;

  std::uint64_t maxSteps_;
  std::chrono::milliseconds maxTime_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_;
  std::uint64_t spent_ = 0;
  std::uint64_t sinceClock_ = 0;
};

namespace script_msg {
// What + " stopped after " + count + " script steps" / + seconds + " seconds",
// then " (object \"Name\")" when an object is known.
inline constexpr const char* kBudgetStopped = "stopped after";
}  // namespace script_msg

}  // namespace vl
