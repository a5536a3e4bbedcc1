#pragma once
// Turns a script's text into instruction lines. The statements around the
// expressions are parsed here; each expression is only checked for a sound
// shape and delimited, then handed in source form to a postfix converter (the
// interpreter passes its evaluator's ToPostfix).
//
// A compiled line starts with its operation code:
//   1 target-low target-high condition   jump to target when the condition is 0
//   2 target-low target-high             jump to target
//   3 expression                         evaluate for its effect (EXIT(0) ends)
//   name blank expression                assign the value to the name
// A goto whose label the script never defines is kept as code 2, two blanks
// and the label digits (always longer than a resolved goto), so that running
// it can name the label instead of jumping somewhere arbitrary.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

inline constexpr char kScriptJumpIfZero = 1;
inline constexpr char kScriptGoto = 2;
inline constexpr char kScriptCall = 3;

// Limits of one compilation. Each one reached gives a syntax error.
inline constexpr std::size_t kScriptMaxText = 32000;   // characters, line breaks included
inline constexpr std::size_t kScriptMaxLabels = 101;
inline constexpr std::size_t kScriptMaxLabelDigits = 15;
inline constexpr std::size_t kScriptMaxLines = 65535;  // so every target and the end fit two bytes
inline constexpr int kScriptMaxNesting = 200;          // statements and expressions inside each other

// Syntax messages, written after "Line n/m: ".
namespace script_msg {
inline constexpr const char* kNeedSemicolonOrEnd = "Need \";\" or \"end\" here";
inline constexpr const char* kNeedThen = "Need \"then\" here";
inline constexpr const char* kNeedSemicolonOrUntil = "Need \";\" or \"until\" here";
inline constexpr const char* kNeedDo = "Need \"do\" here";
inline constexpr const char* kNeedTo = "Need \"to\" here";
inline constexpr const char* kGotoLabel = "\"goto\" label must be a number";
inline constexpr const char* kNeedAssign = "Need \":=\" here";
inline constexpr const char* kNeedParen = "Need \")\" here";
inline constexpr const char* kNeedBracket = "Need \"]\" here";
inline constexpr const char* kNeedCommaOrParen = "Need \",\" or \")\" here";
// Shapes and limits the classic messages do not cover.
inline constexpr const char* kNeedOperand = "Need an operand here";
inline constexpr const char* kUnterminatedString = "Unterminated string";
inline constexpr const char* kMalformedNumber = "Malformed number";
inline constexpr const char* kNeedVariable = "Need a variable here";
inline constexpr const char* kTextTooLong = "Script is longer than 32000 characters";
inline constexpr const char* kTooManyLabels = "Too many labels (at most 101)";
inline constexpr const char* kLabelTooLong = "Label is longer than 15 digits";
inline constexpr const char* kTooManyLines = "Script is too long (more than 65535 instructions)";
inline constexpr const char* kTooDeep = "Statements or expressions are nested too deeply";
}  // namespace script_msg

class TvlScriptCompiler {
 public:
  using ToPostfixFn = std::function<std::string(const std::string&)>;

  // Output and errors are cleared first; source and output may be the same
  // list. On an error the lines produced so far stay in the output, every
  // jump whose target was still open pointing at the end.
  void Compile(const std::vector<std::string>& source, std::vector<std::string>& output,
               std::vector<std::string>& errors, const ToPostfixFn& toPostfix);

 private:
  // Jump: a jump with a known or open target; GotoLabel: a goto statement
  // holding its label digits until the second pass.
  enum class LineKind : unsigned char { Conditional, Jump, GotoLabel, Call, Assignment };
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
  struct Label {
    std::string Text;  // digits and colon
    std::size_t Line;
  };
  struct Variable {
    std::string Name;   // without the index
    std::string Index;  // index expression text, empty when none
    bool Indexed = false;
  };

  // Text preparation and error positions.
  void Prepare(const std::vector<std::string>& source);
  std::size_t SourceOffset(std::size_t bufferPos) const;
  void Error(const char* message);
  void ErrorAt(std::size_t bufferPos, const char* message);
  void ErrorAtSource(std::size_t offset, const std::string& message);

  // Scanning.
  bool AtEnd() const { return pos_ >= text_.size(); }
  unsigned char At(std::size_t p) const {
    return p < text_.size() ? static_cast<unsigned char>(text_[p]) : 0;
  }
  void SkipBlanks();
  bool KeywordAt(std::size_t p, std::string_view keyword) const;
  bool MatchKeyword(std::string_view keyword);
  bool MatchOperator(std::string_view op);
  std::string WordAt(std::size_t p) const;     // up to the next blank, upper case
  std::string WordIn(std::size_t from, std::size_t to) const;  // upper case
  std::size_t NameEnd(std::size_t p, bool allowQuotes) const;
  std::string Slice(std::size_t from, std::size_t to) const;

  // Statements.
  void Statement();
  void Compound();
  void If();
  void While();
  void Repeat();
  void For();
  void Goto();
  bool LabelHere();
  bool GluedKeyword(std::string_view keyword, std::string_view follower);
  bool ScanVariable(Variable& v);
  void Assignment(const Variable& v);
  void EmitAssignment(const Variable& v, const std::string& expression, std::size_t at);

  // Expressions: each checks the shape and moves past it.
  bool Expression(std::string& text);
  bool ExpressionBody();
  bool Simple();
  bool Term();
  bool Factor();
  bool Arguments();

  // Output.
  // at: buffer position of the line's expression, for errors of the second pass.
  std::size_t Emit(LineKind kind, std::string line, std::size_t at, bool openTarget = false);
  void SetTarget(std::size_t line, std::size_t target);
  void SetTargetBytes(std::size_t line, std::size_t target);
  void ResolveAndConvert(const ToPostfixFn& toPostfix);

  std::vector<std::string> source_;   // copy: source and output may be one list
  std::string text_;                  // joined lines, comments cut out
  struct Cut {
    std::size_t BufferPos;  // first buffer position after the cut
    std::size_t Removed;    // source characters no longer in the buffer
  };
  std::vector<Cut> cuts_;
  std::size_t pos_ = 0;
  std::size_t errPos_ = 0;
  bool error_ = false;
  int depth_ = 0;
  std::vector<Label> labels_;
  std::vector<std::string>* out_ = nullptr;
  std::vector<std::string>* errors_ = nullptr;
  std::vector<LineKind> kinds_;
  std::vector<std::size_t> sourcePos_;
  std::vector<std::size_t> open_;  // lines whose jump target is still two blanks
};

}  // namespace vl
