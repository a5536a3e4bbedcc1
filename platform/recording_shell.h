#pragma once
// A shell that opens nothing and remembers what it was asked to open.

#include <string>
#include <vector>

#include "platform/shell.h"

namespace vl {

class TvlRecordingShell : public TvlShell {
 public:
  struct Request {
    std::string Address, Verb;
  };
  bool Open(const std::string& address, const std::string& verb) override {
    Requests.push_back({address, verb});
    return Succeeds;
  }
  std::vector<Request> Requests;
  bool Succeeds = true;
};

}  // namespace vl
