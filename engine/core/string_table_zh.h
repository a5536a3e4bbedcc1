#pragma once
// The string table in simplified Chinese (UTF-8), number for number beside
// the English one; the language module delivers it through the string
// table's localisation hook.
//
// Which entries are translated: every entry a user reads as words. Entries
// that stay English are those that are data rather than words: the sample
// values and pictures of the display formats (55155-55158, 55160-55163,
// 55165-55168, 55170-55173, 55175-55182), which are stored in templates
// as chosen, and the default character set number (55337). In translated
// entries the placeholders (%s, %d), the count of "&" accelerators (as
// "文件(&F)"), leading and trailing blanks (the texts are joined to others)
// and, in the function descriptions, the syntax before the "/" stay as in
// English.

namespace vl {

// The Chinese text of an entry; null when the entry stays English.
const char* vlChineseStr(int id);
// True for the entries that stay English (see above).
bool vlIsLanguageNeutralStr(int id);

}  // namespace vl
