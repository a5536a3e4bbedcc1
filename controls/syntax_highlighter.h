#pragma once
// Character classes of a source text (plain text, comment, keyword, string)
// for the script language, C-like code and SQL, and the highlighter that
// gives a document's characters the look of their class.

#include <QColor>
#include <QString>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <cstdint>
#include <vector>

namespace vl {

enum TSyntaxType : std::uint8_t { stPascal = 0, stCpp = 1, stSQL = 2, stText = 3 };

// Class codes of printable characters; blanks and control characters get 0.
enum TvlSyntaxClass : std::uint8_t { scNone = 0, scText = 1, scComment = 3, scKeyword = 4, scString = 5 };

// The comma-separated keywords of a syntax type (empty for stText).
const char* vlSyntaxKeywords(TSyntaxType type);

// Classifies one line. state carries an open block comment from one line to
// the next (0: none); it is read at the start and left for the next line.
std::vector<std::uint8_t> vlClassifySyntaxLine(const QString& line, TSyntaxType type, int& state);

// Look of the classes: comments navy italic, keywords bold, strings navy,
// text plain; text and keywords in the window-text colour.
QTextCharFormat vlSyntaxFormat(TvlSyntaxClass cls);

class TvlSyntaxHighlighter : public QSyntaxHighlighter {
 public:
  TvlSyntaxHighlighter(QTextDocument* document, TSyntaxType type);
  TSyntaxType SyntaxType() const { return type_; }
  void SetSyntaxType(TSyntaxType type);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  TSyntaxType type_;
};

}  // namespace vl
