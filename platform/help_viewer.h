#pragma once
// The help viewer: shows a help file (the user guide) at the topic of a help
// context. Each window names its own file when it asks; nothing is kept in
// force between calls.

#include <string>

namespace vl {

class TvlHelpViewer {
 public:
  virtual ~TvlHelpViewer() = default;
  // file: a name looked up in the help folders, or a path; context 0 is the
  // start of the file. The viewer opens above the window the user works in
  // and stays usable while that window is modal; a file that cannot be found
  // is reported to the user.
  virtual void ShowHelp(const std::string& file, int context) = 0;
};

}  // namespace vl
