#pragma once
// The language of the user interface: English (the built-in texts) or
// simplified Chinese. The user chooses Automatic, Chinese or English (kept in
// the settings store); Automatic follows the locale of the environment.

#include <string>
#include <string_view>

namespace vl {

enum class TvlLanguage { English, Chinese };
enum class TvlLanguageChoice { Automatic, Chinese, English };

// The language a locale or language name selects: "zh", "zh_CN.UTF-8",
// "zh-Hans", "zh_TW" are Chinese, everything else English.
TvlLanguage vlLanguageOfLocale(std::string_view name);
// The language the environment asks for, read as gettext reads it: LC_ALL,
// LC_MESSAGES, then LANG name the locale; the list in LANGUAGE wins unless
// that locale is C or POSIX. The locale need not be installed.
TvlLanguage vlEnvironmentLanguage();

// The user's choice in the settings store (Automatic when none is kept).
TvlLanguageChoice vlReadLanguageChoice();
void vlWriteLanguageChoice(TvlLanguageChoice choice);
TvlLanguage vlResolveLanguage(TvlLanguageChoice choice);

// Puts a language in force for the string table and the project's texts.
// Windows made before keep their texts: the programs choose at start.
void vlSetLanguage(TvlLanguage language);
TvlLanguage vlLanguage();
// Program start: reads the choice and puts its language in force.
TvlLanguage vlApplyLanguageChoice();

// The name of a file's translation for the language in force: "vluser.html"
// becomes "vluser.zh_CN.html" in Chinese; English keeps the name.
std::string vlLocalisedFileName(const std::string& name);

// A UTF-8 text (the translations are written in UTF-8) in the system code page.
std::string vlUtf8ToCodePage(std::string_view text);

}  // namespace vl
