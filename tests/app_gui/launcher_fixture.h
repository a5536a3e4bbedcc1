#pragma once
// A launcher window for GUI tests, with the application object made first.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "engine/core/engine_state.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_reader.h"
#include "tests/qt_application.h"

namespace vl {

// The text a named view printed on each prepared page ("(none)" on a page
// without it), its lines joined by line breaks.
inline std::vector<std::string> PrintedTexts(TvlEMFPages& pages, const std::string& view) {
  std::vector<std::string> texts;
  for (int i = 0; i < pages.Count(); ++i) {
    TvlStreamReader r(pages[i].Stream.Bytes(), true);
    const int saved = vlState().StreamVersion;
    vlState().StreamVersion = r.ReadByte();
    std::string text = "(none)";
    while (!r.AtEnd()) {
      const std::unique_ptr<TvlView> v = vlReadPrintedView(r);
      if (v->Name == view) {
        text.clear();
        for (const std::string& line : v->Memo) text += (text.empty() ? "" : "\n") + line;
      }
    }
    vlState().StreamVersion = saved;
    texts.push_back(text);
  }
  return texts;
}

// Runs the test in a given folder and goes back afterwards.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~InFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

class LauncherWindow : public ::testing::Test {
 protected:
  // A template button offers the recipient form first: it is answered with
  // OK as it stands (empty, so the template prints blank), since a dialog
  // nobody answers would stop the test.
  LauncherWindow() {
    form.ExecRecipientForm = [](TRecipientForm&) { return true; };
  }

  TFormMain form;
};

}  // namespace vl
