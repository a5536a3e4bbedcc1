#include "engine/core/language.h"

#include <cstdlib>

#include "engine/core/string_table.h"
#include "engine/core/string_table_zh.h"
#include "platform/code_page.h"
#include "platform/platform.h"

namespace vl {
namespace {

constexpr const char* kKey = "Software\\Vellora";
constexpr const char* kName = "Language";

TvlLanguage& Current() {
  static TvlLanguage language = TvlLanguage::English;
  return language;
}

std::string_view Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string_view(v) : std::string_view();
}

bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.";
}

}  // namespace

TvlLanguage vlLanguageOfLocale(std::string_view name) {
  const bool zh = name.size() >= 2 && (name[0] == 'z' || name[0] == 'Z') && (name[1] == 'h' || name[1] == 'H') &&
                  (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.' || name[2] == '@');
  return zh ? TvlLanguage::Chinese : TvlLanguage::English;
}

TvlLanguage vlEnvironmentLanguage() {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = Env(name);
    if (!locale.empty()) break;
  }
  if (IsCLocale(locale)) return TvlLanguage::English;
  // The first entry of LANGUAGE decides; an empty entry is skipped.
  std::string_view list = Env("LANGUAGE");
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view first = list.substr(0, colon);
    if (!first.empty()) return vlLanguageOfLocale(first);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return vlLanguageOfLocale(locale);
}

TvlLanguageChoice vlReadLanguageChoice() {
  const std::string v = vlPlatform().Settings->ReadString(kKey, kName, "");
  if (v == "zh_CN") return TvlLanguageChoice::Chinese;
  if (v == "en") return TvlLanguageChoice::English;
  return TvlLanguageChoice::Automatic;
}

void vlWriteLanguageChoice(TvlLanguageChoice choice) {
  const char* v = choice == TvlLanguageChoice::Chinese ? "zh_CN" : choice == TvlLanguageChoice::English ? "en" : "";
  vlPlatform().Settings->WriteString(kKey, kName, v);
}

TvlLanguage vlResolveLanguage(TvlLanguageChoice choice) {
  switch (choice) {
    case TvlLanguageChoice::Chinese: return TvlLanguage::Chinese;
    case TvlLanguageChoice::English: return TvlLanguage::English;
    case TvlLanguageChoice::Automatic: break;
  }
  return vlEnvironmentLanguage();
}

void vlSetLanguage(TvlLanguage language) {
  Current() = language;
  if (language == TvlLanguage::Chinese) {
    vlSetLocalisationHook([](int id) {
      const char* text = vlChineseStr(id);
      return text ? vlUtf8ToCodePage(text) : std::string();
    });
  } else {
    vlSetLocalisationHook(nullptr);
  }
}

TvlLanguage vlLanguage() { return Current(); }

TvlLanguage vlApplyLanguageChoice() {
  const TvlLanguage language = vlResolveLanguage(vlReadLanguageChoice());
  vlSetLanguage(language);
  return language;
}

std::string vlLocalisedFileName(const std::string& name) {
  if (Current() != TvlLanguage::Chinese || name.empty()) return name;
  const std::size_t slash = name.find_last_of('/');
  const std::size_t dot = name.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return hasExtension ? name.substr(0, dot) + ".zh_CN" + name.substr(dot) : name + ".zh_CN";
}

std::string vlUtf8ToCodePage(std::string_view text) {
  const std::string& page = vlPlatformCodePage();
  if (page == "UTF-8" || page == "UTF8" || page == "utf-8" || page == "utf8") return std::string(text);
  return vlConvertEncoding(text, "UTF-8", page.c_str());
}

}  // namespace vl
