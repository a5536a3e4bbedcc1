// The interface language: which locale asks for Chinese, the stored choice,
// and the Chinese string table beside the English one.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/language.h"
#include "engine/core/string_table.h"
#include "engine/core/string_table_zh.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"

namespace vl {
namespace {

// The placeholders of a format ("%s", "%d", "%1" ...), sorted.
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t k = 0; k + 1 < text.size(); ++k)
    if (text[k] == '%' && std::isalnum(static_cast<unsigned char>(text[k + 1]))) found.push_back(text.substr(k, 2));
  std::sort(found.begin(), found.end());
  return found;
}

// "&" that marks an accelerator ("&&" is a literal ampersand).
int Accelerators(const std::string& text) {
  int n = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '&') continue;
    if (k + 1 < text.size() && text[k + 1] == '&') ++k;
    else ++n;
  }
  return n;
}

// Two letters in a row: a text with words (a bare size such as 10 x 14" has none).
bool HasWords(const std::string& t) {
  for (std::size_t k = 0; k + 1 < t.size(); ++k)
    if (std::isalpha(static_cast<unsigned char>(t[k])) && std::isalpha(static_cast<unsigned char>(t[k + 1]))) return true;
  return false;
}

bool StartsBlank(const std::string& t) { return !t.empty() && t.front() == ' '; }
bool EndsBlank(const std::string& t) { return !t.empty() && t.back() == ' '; }
bool IsFunctionEntry(int id) { return (id >= 55360 && id <= 55416) || id == 55621 || (id >= 55623 && id <= 55631); }

TEST(ChineseTable, EveryVisibleEntryIsTranslatedAndKeepsItsFormat) {
  const std::vector<int> ids = vlBuiltinStrIds();
  ASSERT_GT(ids.size(), 600u);
  int translated = 0;
  for (int id : ids) {
    const std::string english = vlBuiltinStr(id);
    const char* zh = vlChineseStr(id);
    if (vlIsLanguageNeutralStr(id)) {
      EXPECT_EQ(zh, nullptr) << id << " is data and stays as it is";
      continue;
    }
    if (english.empty()) continue;
    ASSERT_NE(zh, nullptr) << id << " \"" << english << "\" has no Chinese text";
    const std::string chinese = zh;
    EXPECT_FALSE(chinese.empty()) << id;
    if (HasWords(english)) {
      EXPECT_NE(chinese, english) << id << " is not translated";
    }
    EXPECT_EQ(Placeholders(chinese), Placeholders(english)) << id << " " << chinese;
    EXPECT_EQ(Accelerators(chinese), Accelerators(english)) << id << " " << chinese;
    // Fragments are joined to other texts: their blanks at either end stay.
    EXPECT_EQ(StartsBlank(chinese), StartsBlank(english)) << id << " \"" << chinese << "\"";
    EXPECT_EQ(EndsBlank(chinese), EndsBlank(english)) << id << " \"" << chinese << "\"";
    if (IsFunctionEntry(id)) {
      const std::string syntax = english.substr(0, english.find('/'));
      EXPECT_EQ(chinese.substr(0, chinese.find('/')), syntax) << id << ": the syntax is not translated";
    }
    ++translated;
  }
  EXPECT_GT(translated, 600);
}

TEST(ChineseTable, HoldsNoNumberTheEnglishTableLacks) {
  // A stray number would be a typing slip that leaves its entry English.
  const std::vector<int> ids = vlBuiltinStrIds();
  for (int id = 53000; id < 58000; ++id)
    if (vlChineseStr(id)) {
      EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id)) << id;
    }
}

TEST(InterfaceLanguage, LocaleNamesThatAskForChinese) {
  const std::map<std::string, TvlLanguage> cases = {
      {"zh", TvlLanguage::Chinese},       {"zh_CN.UTF-8", TvlLanguage::Chinese}, {"zh_TW", TvlLanguage::Chinese},
      {"zh-Hans", TvlLanguage::Chinese},  {"ZH_cn", TvlLanguage::Chinese},       {"zh_CN.GB18030@x", TvlLanguage::Chinese},
      {"zu_ZA", TvlLanguage::English},    {"zha", TvlLanguage::English},         {"en_US.UTF-8", TvlLanguage::English},
      {"C", TvlLanguage::English},        {"", TvlLanguage::English},            {"z", TvlLanguage::English},
  };
  for (const auto& [name, language] : cases) EXPECT_EQ(vlLanguageOfLocale(name), language) << name;
}

// Sets the locale variables for one case and puts the previous ones back.
class Environment {
 public:
  Environment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
      const char* v = std::getenv(name);
      saved_[name] = v ? std::optional<std::string>(v) : std::nullopt;
      unsetenv(name);
    }
    for (const auto& [name, value] : values) setenv(name, value, 1);
  }
  ~Environment() {
    for (const auto& [name, value] : saved_)
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(InterfaceLanguage, EnvironmentReadAsGettextReadsIt) {
  struct Case {
    std::initializer_list<std::pair<const char*, const char*>> env;
    TvlLanguage expected;
  };
  const Case cases[] = {
      {{{"LANG", "zh_CN.UTF-8"}}, TvlLanguage::Chinese},
      {{{"LANG", "zh_CN.UTF-8"}, {"LC_ALL", ""}}, TvlLanguage::Chinese},  // empty is unset
      {{{"LANG", "zh_CN.UTF-8"}, {"LC_ALL", "C.UTF-8"}}, TvlLanguage::English},
      {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_CN"}}, TvlLanguage::Chinese},
      {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}, TvlLanguage::Chinese},
      {{{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", ":en_GB"}}, TvlLanguage::English},
      {{{"LANG", "C"}, {"LANGUAGE", "zh_CN"}}, TvlLanguage::English},  // LANGUAGE is ignored under C
      {{}, TvlLanguage::English},
  };
  for (const Case& c : cases) {
    Environment env(c.env);
    std::string shown;
    for (const auto& [n, v] : c.env) shown += std::string(n) + "=" + v + " ";
    EXPECT_EQ(vlEnvironmentLanguage(), c.expected) << shown;
  }
}

TEST(InterfaceLanguage, TheStoredChoiceWinsOverTheEnvironment) {
  TvlMemorySettingsStore settings;
  TvlPlatform previous = vlPlatform();
  vlInstallPlatform(TvlPlatform{nullptr, &settings});
  Environment env({{"LANG", "zh_CN.UTF-8"}});
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::Automatic);
  EXPECT_EQ(vlResolveLanguage(vlReadLanguageChoice()), TvlLanguage::Chinese);
  vlWriteLanguageChoice(TvlLanguageChoice::English);
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::English);
  EXPECT_EQ(vlApplyLanguageChoice(), TvlLanguage::English);
  vlWriteLanguageChoice(TvlLanguageChoice::Chinese);
  EXPECT_EQ(settings.Values.at("Software\\Vellora\\Language"), "zh_CN");
  EXPECT_EQ(vlApplyLanguageChoice(), TvlLanguage::Chinese);
  vlWriteLanguageChoice(TvlLanguageChoice::Automatic);
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::Automatic);
  vlSetLanguage(TvlLanguage::English);
  vlInstallPlatform(previous);
}

TEST(InterfaceLanguage, ChineseComesThroughTheStringTableAndGoesAgain) {
  vlSetLanguage(TvlLanguage::Chinese);
  EXPECT_EQ(vlLoadStr(str::kPrintCaption), "打印");
  EXPECT_EQ(vlLoadStr(55155), "1234,5") << "a format sample stays";
  EXPECT_EQ(vlBuiltinStr(str::kPrintCaption), "Print");
  EXPECT_EQ(vlLocalisedFileName("vluser.html"), "vluser.zh_CN.html");
  EXPECT_EQ(vlLocalisedFileName("help.d/guide"), "help.d/guide.zh_CN");
  vlSetLanguage(TvlLanguage::English);
  EXPECT_EQ(vlLoadStr(str::kPrintCaption), "Print");
  EXPECT_EQ(vlLocalisedFileName("vluser.html"), "vluser.html");
}

}  // namespace
}  // namespace vl
