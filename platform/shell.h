#pragma once
// The shell's "open" of an address or document.

#include <string>

namespace vl {

class TvlShell {
 public:
  virtual ~TvlShell() = default;
  // Returns false when the shell could not open it; callers may ignore that.
  virtual bool Open(const std::string& address, const std::string& verb) = 0;
};

}  // namespace vl
