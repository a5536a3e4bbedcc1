// The project's own texts: every literal the sources wrap in vlTr or vlQTr
// has its Chinese text, which keeps the English one's placeholders,
// accelerators, file patterns and line breaks.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/language.h"
#include "engine/core/project_texts.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads one C++ string literal at text[k] (at the opening quote).
std::string ReadLiteral(const std::string& text, std::size_t& k) {
  std::string out;
  for (++k; k < text.size() && text[k] != '"'; ++k) {
    if (text[k] != '\\' || k + 1 >= text.size()) {
      out += text[k];
      continue;
    }
    const char e = text[++k];
    out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
  }
  ++k;
  return out;
}

// The English keys of the wrapped literals in a source text; adjacent
// literals join as the compiler joins them. A wrapped name (a constant) is
// not a literal and is skipped.
std::vector<std::string> WrappedLiterals(const std::string& text) {
  std::vector<std::string> keys;
  for (const char* call : {"vlTr(", "vlQTr("}) {
    for (std::size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
      if (at > 0 && IsIdentifierChar(text[at - 1])) continue;
      std::size_t k = at + std::char_traits<char>::length(call);
      std::string key;
      bool any = false;
      for (;;) {
        while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k]))) ++k;
        if (k >= text.size() || text[k] != '"') break;
        key += ReadLiteral(text, k);
        any = true;
      }
      if (any) keys.push_back(key);
    }
  }
  return keys;
}

std::vector<std::string> Tokens(const std::string& text, bool (*keep)(const std::string&)) {
  std::vector<std::string> found;
  std::string word;
  for (char c : text + " ") {
    if (c == ' ' || c == '(' || c == ')' || c == ';') {
      if (!word.empty() && keep(word)) found.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t k = 0; k + 1 < text.size(); ++k)
    if (text[k] == '%' && text[k + 1] >= '1' && text[k + 1] <= '9') found.push_back(text.substr(k, 2));
  std::sort(found.begin(), found.end());
  return found;
}

long Count(const std::string& text, char c) { return std::count(text.begin(), text.end(), c); }

TEST(ProjectTexts, EveryWrappedLiteralHasAChineseTextOfTheSameShape) {
  std::vector<std::string> keys;
  for (const char* folder : {"app", "engine", "viewer", "designer", "controls", "platform"})
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VL_SOURCE_DIR) / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      for (std::string& key : WrappedLiterals(text.str())) keys.push_back(std::move(key));
    }
  ASSERT_GT(keys.size(), 50u) << "the sources' wrapped texts were not found";
  for (const std::string& english : keys) {
    const char* zh = vlChineseText(english);
    ASSERT_NE(zh, nullptr) << "no Chinese text for \"" << english << "\"";
    const std::string chinese = zh;
    EXPECT_EQ(Placeholders(chinese), Placeholders(english)) << chinese;
    EXPECT_EQ(Count(chinese, '&'), Count(english, '&')) << chinese;
    EXPECT_EQ(Count(chinese, '\n'), Count(english, '\n')) << chinese;
    const auto pattern = [](const std::string& w) { return w.front() == '*'; };
    EXPECT_EQ(Tokens(chinese, pattern), Tokens(english, pattern)) << "file patterns stay: " << chinese;
    EXPECT_EQ(english.back() == ' ', chinese.back() == ' ') << "\"" << chinese << "\"";
  }
}

TEST(ProjectTexts, FollowTheLanguageAndFillTheirArguments) {
  EXPECT_EQ(vlTr("Row %1 (%2): %3", {"4", "Ann %2", "too long"}), "Row 4 (Ann %2): too long")
      << "an argument holding a placeholder stays as it is";
  EXPECT_EQ(vlTr("not in the catalogue %1", {"x"}), "not in the catalogue x");
  EXPECT_EQ(vlTr("%9 of %1", {"a"}), "%9 of a") << "a placeholder without its argument stays";
  vlSetLanguage(TvlLanguage::Chinese);
  EXPECT_EQ(vlTr("%1 of %2 envelopes would not print right:", {"2", "5"}), "5 个信封中有 2 个无法正确打印：")
      << "the translation puts the arguments in its own order";
  EXPECT_EQ(vlTr("not in the catalogue"), "not in the catalogue");
  vlSetLanguage(TvlLanguage::English);
  EXPECT_EQ(vlTr("Print all"), "Print all");
}

}  // namespace
}  // namespace vl
