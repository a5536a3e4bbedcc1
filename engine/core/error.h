#pragma once
// Errors raised by expressions, scripts, data and file readers. The message is
// the system's own text, in the system code page.

#include <stdexcept>
#include <string>

namespace vl {

class TvlError : public std::runtime_error {
 public:
  explicit TvlError(const std::string& message) : std::runtime_error(message) {}
};

// Raised by the object factory when a stream names an add-in class that is not
// registered; the message lists every missing class seen so far in this load.
class TvlClassNotFoundError : public TvlError {
 public:
  using TvlError::TvlError;
};

// A stream or file that ends early or holds an impossible length.
class TvlStreamError : public TvlError {
 public:
  using TvlError::TvlError;
};

}  // namespace vl
