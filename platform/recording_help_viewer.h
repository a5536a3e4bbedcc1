#pragma once
// A help viewer that shows nothing and remembers what it was asked to show.

#include <string>
#include <vector>

#include "platform/help_viewer.h"

namespace vl {

class TvlRecordingHelpViewer : public TvlHelpViewer {
 public:
  struct Request {
    std::string File;
    int Context = 0;
  };
  void ShowHelp(const std::string& file, int context) override { Requests.push_back({file, context}); }
  std::vector<Request> Requests;
};

}  // namespace vl
