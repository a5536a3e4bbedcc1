#include "engine/script/script_compiler.h"

#include <algorithm>
#include <exception>

namespace vl {
namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Bytes above 127 count as letters so that names written in the system code
// page (Chinese dictionary variables, for instance) are names here too.
bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128;
}

// "#" belongs to names so that system variables such as PAGE# and LINE# can
// be written without brackets, as the evaluator reads them.
bool IsNameChar(unsigned char c) { return IsNameStart(c) || IsDigit(c) || c == '.' || c == '#'; }

unsigned char Upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// The words of the statement syntax and the word operators never stand for
// a value (a call such as IF(c, x, y) is still a call).
bool IsReservedWord(const std::string& upper) {
  static constexpr const char* kWords[] = {"BEGIN", "END", "IF",  "THEN", "ELSE", "WHILE", "DO", "REPEAT",
                                           "UNTIL", "FOR", "TO",  "GOTO", "OR",   "AND",   "MOD", "NOT"};
  for (const char* w : kWords)
    if (upper == w) return true;
  return false;
}

std::string Trimmed(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= 32) ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32) --b;
  return std::string(s.substr(a, b - a));
}

std::string JumpLine(char code, std::size_t target) {
  std::string line(3, ' ');
  line[0] = code;
  line[1] = static_cast<char>(target & 0xFF);
  line[2] = static_cast<char>((target >> 8) & 0xFF);
  return line;
}

std::string OpenJumpLine(char code) { return std::string(1, code) + "  "; }

class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

void TvlScriptCompiler::Compile(const std::vector<std::string>& source, std::vector<std::string>& output,
                                std::vector<std::string>& errors, const ToPostfixFn& toPostfix) {
  source_ = source;
  output.clear();
  errors.clear();
  out_ = &output;
  errors_ = &errors;
  kinds_.clear();
  sourcePos_.clear();
  open_.clear();
  labels_.clear();
  cuts_.clear();
  pos_ = errPos_ = 0;
  error_ = false;
  depth_ = 0;

  Prepare(source_);
  if (!text_.empty()) Statement();
  // A construct cut short by an error leaves its jumps open; they end the run.
  for (std::size_t line : open_) SetTargetBytes(line, out_->size());
  open_.clear();
  ResolveAndConvert(toPostfix);
  out_ = nullptr;
  errors_ = nullptr;
}

// The buffer is the source lines joined with carriage returns, tabs as blanks,
// comments cut out. Comments are recognised only outside quotes, so a text
// such as 'http://host' or '{x}' stays a string. A brace comment leaves one
// blank behind and a line comment keeps its line break, so a comment always
// separates the words around it.
void TvlScriptCompiler::Prepare(const std::vector<std::string>& source) {
  std::string joined;
  for (const std::string& line : source) {
    joined += line;
    joined += '\r';
  }
  std::replace(joined.begin(), joined.end(), '\t', ' ');
  text_.clear();
  if (joined.size() > kScriptMaxText) {
    ErrorAtSource(kScriptMaxText, script_msg::kTextTooLong);
    return;
  }
  text_.reserve(joined.size());
  bool apostrophe = false, doubleQuote = false;
  const std::size_t n = joined.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = joined[i];
    if (c == '\'' && !doubleQuote) {
      apostrophe = !apostrophe;
    } else if (c == '"' && !apostrophe) {
      doubleQuote = !doubleQuote;
    } else if (!apostrophe && !doubleQuote && c == '{') {
      const std::size_t close = joined.find('}', i + 1);
      const std::size_t end = close == std::string::npos ? n : close + 1;
      text_ += ' ';
      cuts_.push_back({text_.size(), end - i - 1});
      i = end - 1;
      continue;
    } else if (!apostrophe && !doubleQuote && c == '/' && i + 1 < n && joined[i + 1] == '/') {
      const std::size_t cr = joined.find('\r', i);
      const std::size_t end = cr == std::string::npos ? n : cr;
      cuts_.push_back({text_.size(), end - i});
      i = end - 1;
      continue;
    }
    text_ += c;
  }
}

std::size_t TvlScriptCompiler::SourceOffset(std::size_t bufferPos) const {
  std::size_t offset = bufferPos;
  for (const Cut& cut : cuts_) {
    if (cut.BufferPos > bufferPos) break;
    offset += cut.Removed;
  }
  return offset;
}

void TvlScriptCompiler::Error(const char* message) { ErrorAt(errPos_, message); }

void TvlScriptCompiler::ErrorAt(std::size_t bufferPos, const char* message) {
  ErrorAtSource(SourceOffset(bufferPos), message);
}

// Line and column count in the source lines as written, each line its length
// plus one for the break. A position past the last line (the end of the text)
// is reported just behind the last character rather than on a line that does
// not exist.
void TvlScriptCompiler::ErrorAtSource(std::size_t offset, const std::string& message) {
  if (error_) return;
  error_ = true;
  std::size_t line = 0, rest = offset;
  for (; line < source_.size(); ++line) {
    const std::size_t length = source_[line].size() + 1;
    if (rest < length) break;
    rest -= length;
  }
  if (line >= source_.size()) {
    line = source_.empty() ? 0 : source_.size() - 1;
    rest = source_.empty() ? 0 : source_[line].size();
  }
  errors_->push_back("Line " + std::to_string(line + 1) + "/" + std::to_string(rest + 1) + ": " + message);
}

void TvlScriptCompiler::SkipBlanks() {
  while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= 32) ++pos_;
  errPos_ = pos_;
}

bool TvlScriptCompiler::KeywordAt(std::size_t p, std::string_view keyword) const {
  if (p + keyword.size() > text_.size()) return false;
  for (std::size_t k = 0; k < keyword.size(); ++k)
    if (Upper(At(p + k)) != static_cast<unsigned char>(keyword[k])) return false;
  return !IsNameChar(At(p + keyword.size()));
}

bool TvlScriptCompiler::MatchKeyword(std::string_view keyword) {
  SkipBlanks();
  if (!KeywordAt(pos_, keyword)) return false;
  pos_ += keyword.size();
  return true;
}

// Operators need no blanks around them; word operators (OR, AND, MOD) must
// stand as whole words, so that a name such as "order" is never read as OR.
bool TvlScriptCompiler::MatchOperator(std::string_view op) {
  const std::size_t save = pos_;
  SkipBlanks();
  if (IsNameStart(static_cast<unsigned char>(op[0]))) {
    if (KeywordAt(pos_, op)) {
      pos_ += op.size();
      return true;
    }
  } else if (text_.compare(pos_, op.size(), op) == 0) {
    pos_ += op.size();
    return true;
  }
  pos_ = save;
  return false;
}

std::string TvlScriptCompiler::WordIn(std::size_t from, std::size_t to) const {
  std::string word;
  for (std::size_t p = from; p < to && p < text_.size(); ++p) word += static_cast<char>(Upper(At(p)));
  return word;
}

std::string TvlScriptCompiler::WordAt(std::size_t p) const {
  std::string word;
  while (p < text_.size() && static_cast<unsigned char>(text_[p]) > 32) word += static_cast<char>(Upper(At(p++)));
  return word;
}

std::size_t TvlScriptCompiler::NameEnd(std::size_t p, bool allowQuotes) const {
  while (p < text_.size()) {
    const unsigned char c = At(p);
    if (IsNameChar(c)) {
      ++p;
    } else if (allowQuotes && c == '"') {
      // Dataset."Field name": the quoted part belongs to the name.
      const std::size_t close = text_.find('"', p + 1);
      if (close == std::string::npos) break;
      p = close + 1;
    } else {
      break;
    }
  }
  return p;
}

std::string TvlScriptCompiler::Slice(std::size_t from, std::size_t to) const {
  return Trimmed(std::string_view(text_).substr(from, to - from));
}

// Statements -----------------------------------------------------------------

void TvlScriptCompiler::Statement() {
  DepthGuard guard(depth_);
  if (error_) return;
  SkipBlanks();
  if (depth_ > kScriptMaxNesting) return Error(script_msg::kTooDeep);
  if (AtEnd()) return;

  const std::string word = WordAt(pos_);
  if (word == "BEGIN") {
    pos_ += 5;
    return Compound();
  }
  if (word == "IF" || GluedKeyword("IF", "THEN")) {
    pos_ += 2;
    return If();
  }
  if (word == "REPEAT") {
    pos_ += 6;
    return Repeat();
  }
  if (word == "WHILE" || GluedKeyword("WHILE", "DO")) {
    pos_ += 5;
    return While();
  }
  if (word == "FOR") {
    pos_ += 3;
    return For();
  }
  if (word == "GOTO") {
    pos_ += 4;
    return Goto();
  }
  // The empty statement: before ";", END, UNTIL, ELSE or the end of the text.
  if (At(pos_) == ';' || KeywordAt(pos_, "END") || KeywordAt(pos_, "UNTIL") || KeywordAt(pos_, "ELSE"))
    return;
  if (LabelHere()) return Statement();

  const std::size_t start = pos_;
  Variable v;
  if (ScanVariable(v)) {
    if (!error_) Assignment(v);
    return;
  }
  pos_ = start;
  std::string e;
  const std::size_t at = pos_;
  if (Expression(e)) Emit(LineKind::Call, std::string(1, kScriptCall) + e, at);
}

// "if(a > 1) then" is the IF statement although its first word is not IF
// alone: a statement keyword glued to "(" starts the statement when an
// expression and the keyword that belongs to it (THEN, DO) follow. Otherwise,
// as in IF(c, x, y), the text stays a call of the evaluator's function.
bool TvlScriptCompiler::GluedKeyword(std::string_view keyword, std::string_view follower) {
  if (!KeywordAt(pos_, keyword) || At(pos_ + keyword.size()) != '(') return false;
  const std::size_t save = pos_;
  const std::size_t errorCount = errors_->size();
  pos_ += keyword.size();
  std::string ignored;
  const bool fits = Expression(ignored) && MatchKeyword(follower);
  pos_ = save;
  error_ = false;  // a statement starts only with the flag clear
  errors_->resize(errorCount);
  return fits;
}

void TvlScriptCompiler::Compound() {
  for (;;) {
    Statement();
    if (error_) return;
    SkipBlanks();
    if (!AtEnd() && At(pos_) == ';') {
      ++pos_;
      continue;
    }
    if (MatchKeyword("END")) return;
    return Error(script_msg::kNeedSemicolonOrEnd);
  }
}

void TvlScriptCompiler::If() {
  std::string condition;
  SkipBlanks();
  const std::size_t at = pos_;
  if (!Expression(condition)) return;
  const std::size_t test = Emit(LineKind::Conditional, OpenJumpLine(kScriptJumpIfZero) + condition, at, true);
  if (error_) return;
  if (!MatchKeyword("THEN")) return Error(script_msg::kNeedThen);
  Statement();
  if (error_) return;
  if (MatchKeyword("ELSE")) {
    const std::size_t skip = Emit(LineKind::Jump, OpenJumpLine(kScriptGoto), pos_, true);
    if (error_) return;
    SetTarget(test, out_->size());
    Statement();
    if (error_) return;
    SetTarget(skip, out_->size());
  } else {
    SetTarget(test, out_->size());
  }
}

void TvlScriptCompiler::While() {
  const std::size_t top = out_->size();
  std::string condition;
  SkipBlanks();
  const std::size_t at = pos_;
  if (!Expression(condition)) return;
  const std::size_t test = Emit(LineKind::Conditional, OpenJumpLine(kScriptJumpIfZero) + condition, at, true);
  if (error_) return;
  if (!MatchKeyword("DO")) return Error(script_msg::kNeedDo);
  Statement();
  if (error_) return;
  Emit(LineKind::Jump, JumpLine(kScriptGoto, top), pos_);
  if (error_) return;
  SetTarget(test, out_->size());
}

void TvlScriptCompiler::Repeat() {
  const std::size_t top = out_->size();
  for (;;) {
    Statement();
    if (error_) return;
    if (MatchKeyword("UNTIL")) {
      std::string condition;
      SkipBlanks();
      const std::size_t at = pos_;
      if (!Expression(condition)) return;
      Emit(LineKind::Conditional, JumpLine(kScriptJumpIfZero, top) + condition, at);
      return;
    }
    SkipBlanks();
    if (AtEnd() || At(pos_) != ';') return Error(script_msg::kNeedSemicolonOrUntil);
    ++pos_;
  }
}

// FOR v := a TO b DO s: the start assignment, a test of v <= b before every
// round (b is evaluated each time), the body, v := v + 1 and a jump back.
// An indexed loop variable is stepped through SETARRAY like its start value.
void TvlScriptCompiler::For() {
  SkipBlanks();
  Variable v;
  if (!ScanVariable(v)) return Error(script_msg::kNeedVariable);
  if (error_) return;
  SkipBlanks();
  if (!(At(pos_) == ':' && At(pos_ + 1) == '=')) return Error(script_msg::kNeedAssign);
  pos_ += 2;
  std::string first;
  SkipBlanks();
  const std::size_t at = pos_;
  if (!Expression(first)) return;
  EmitAssignment(v, first, at);
  if (error_) return;
  if (!MatchKeyword("TO")) return Error(script_msg::kNeedTo);
  std::string last;
  SkipBlanks();
  const std::size_t lastAt = pos_;
  if (!Expression(last)) return;
  const std::string var = v.Indexed ? v.Name + "[" + v.Index + "]" : v.Name;
  const std::size_t test =
      Emit(LineKind::Conditional, OpenJumpLine(kScriptJumpIfZero) + var + "<=" + last, lastAt, true);
  if (error_) return;
  if (!MatchKeyword("DO")) return Error(script_msg::kNeedDo);
  Statement();
  if (error_) return;
  EmitAssignment(v, var + "+1", at);
  if (error_) return;
  Emit(LineKind::Jump, JumpLine(kScriptGoto, test), pos_);
  if (error_) return;
  SetTarget(test, out_->size());
}

void TvlScriptCompiler::Goto() {
  SkipBlanks();
  std::size_t p = pos_;
  while (IsDigit(At(p))) ++p;
  if (p == pos_) return Error(script_msg::kGotoLabel);
  if (p - pos_ > kScriptMaxLabelDigits) return Error(script_msg::kLabelTooLong);
  Emit(LineKind::GotoLabel, std::string(1, kScriptGoto) + text_.substr(pos_, p - pos_), pos_);
  pos_ = p;
}

// Digits directly followed by ":" (but not ":=") mark the current line.
bool TvlScriptCompiler::LabelHere() {
  std::size_t p = pos_;
  while (IsDigit(At(p))) ++p;
  if (p == pos_ || At(p) != ':' || At(p + 1) == '=') return false;
  if (p - pos_ > kScriptMaxLabelDigits) {
    Error(script_msg::kLabelTooLong);
    return true;
  }
  if (labels_.size() >= kScriptMaxLabels) {
    Error(script_msg::kTooManyLabels);
    return true;
  }
  labels_.push_back({text_.substr(pos_, p + 1 - pos_), out_->size()});
  pos_ = p + 1;
  return true;
}

// A name (no call parentheses after it) with an optional index in brackets.
// Returns false when no variable starts here; an error inside the index
// returns true with the error flag set.
bool TvlScriptCompiler::ScanVariable(Variable& v) {
  const std::size_t start = pos_;
  if (!IsNameStart(At(start))) return false;
  const std::size_t end = NameEnd(start, false);
  if (At(end) == '(' || IsReservedWord(WordIn(start, end))) return false;
  v.Name = text_.substr(start, end - start);
  pos_ = end;
  if (At(pos_) == '[') {
    ++pos_;
    if (!Expression(v.Index)) return true;
    SkipBlanks();
    if (At(pos_) != ']' || AtEnd()) {
      Error(script_msg::kNeedBracket);
      return true;
    }
    ++pos_;
    v.Indexed = true;
  }
  return true;
}

// After a variable: ":=" and an expression, or nothing, which makes the name
// a procedure called without arguments.
void TvlScriptCompiler::Assignment(const Variable& v) {
  const std::size_t at = pos_;
  SkipBlanks();
  if (AtEnd() || At(pos_) == ';' || KeywordAt(pos_, "END") || KeywordAt(pos_, "ELSE") ||
      KeywordAt(pos_, "UNTIL")) {
    const std::string name = v.Indexed ? v.Name + "[" + v.Index + "]" : v.Name;
    Emit(LineKind::Call, std::string(1, kScriptCall) + name + "(0)", at);
    return;
  }
  if (!(At(pos_) == ':' && At(pos_ + 1) == '=')) return Error(script_msg::kNeedAssign);
  pos_ += 2;
  std::string e;
  SkipBlanks();
  const std::size_t exprAt = pos_;
  if (Expression(e)) EmitAssignment(v, e, exprAt);
}

void TvlScriptCompiler::EmitAssignment(const Variable& v, const std::string& expression, std::size_t at) {
  if (v.Indexed)
    Emit(LineKind::Call,
         std::string(1, kScriptCall) + "SETARRAY(" + v.Name + ", " + v.Index + ", " + expression + ")", at);
  else
    Emit(LineKind::Assignment, v.Name + " " + expression, at);
}

// Expressions ----------------------------------------------------------------

bool TvlScriptCompiler::Expression(std::string& text) {
  SkipBlanks();
  const std::size_t start = pos_;
  if (!ExpressionBody()) return false;
  text = Slice(start, pos_);
  return true;
}

bool TvlScriptCompiler::ExpressionBody() {
  if (!Simple()) return false;
  for (std::string_view op : {"<>", "<=", ">=", "<", ">", "="})
    if (MatchOperator(op)) return Simple();
  return true;
}

bool TvlScriptCompiler::Simple() {
  if (!Term()) return false;
  while (MatchOperator("+") || MatchOperator("-") || MatchOperator("OR"))
    if (!Term()) return false;
  return true;
}

bool TvlScriptCompiler::Term() {
  if (!Factor()) return false;
  while (MatchOperator("*") || MatchOperator("/") || MatchOperator("AND") || MatchOperator("MOD"))
    if (!Factor()) return false;
  return true;
}

bool TvlScriptCompiler::Factor() {
  DepthGuard guard(depth_);
  SkipBlanks();
  if (depth_ > kScriptMaxNesting) {
    Error(script_msg::kTooDeep);
    return false;
  }
  if (AtEnd()) {
    Error(script_msg::kNeedOperand);
    return false;
  }
  const unsigned char c = At(pos_);
  if (c == '(') {
    ++pos_;
    if (!ExpressionBody()) return false;
    SkipBlanks();
    if (AtEnd() || At(pos_) != ')') {
      Error(script_msg::kNeedParen);
      return false;
    }
    ++pos_;
    return true;
  }
  if (c == '[') {
    // A bracketed name: brackets nest, quotes protect them.
    int count = 0;
    bool apostrophe = false, doubleQuote = false;
    for (std::size_t p = pos_; p < text_.size(); ++p) {
      const char ch = text_[p];
      if (ch == '\'' && !doubleQuote) apostrophe = !apostrophe;
      else if (ch == '"' && !apostrophe) doubleQuote = !doubleQuote;
      else if (!apostrophe && !doubleQuote && ch == '[') ++count;
      else if (!apostrophe && !doubleQuote && ch == ']' && --count == 0) {
        pos_ = p + 1;
        return true;
      }
    }
    ErrorAt(text_.size(), script_msg::kNeedBracket);
    return false;
  }
  if (c == '+' || c == '-') {
    ++pos_;
    return ExpressionBody();
  }
  if (KeywordAt(pos_, "NOT")) {
    pos_ += 3;
    return ExpressionBody();
  }
  if (c == '\'') {
    std::size_t p = pos_ + 1;
    for (;;) {
      const std::size_t q = text_.find('\'', p);
      if (q == std::string::npos) {
        ErrorAt(pos_, script_msg::kUnterminatedString);
        return false;
      }
      if (At(q + 1) == '\'' && q + 1 < text_.size()) {
        p = q + 2;
        continue;
      }
      pos_ = q + 1;
      return true;
    }
  }
  if (IsDigit(c)) {
    std::size_t p = pos_;
    while (IsDigit(At(p)) && p < text_.size()) ++p;
    if (At(p) == '.' && p < text_.size()) {
      ++p;
      if (!IsDigit(At(p)) || p >= text_.size()) {
        ErrorAt(pos_, script_msg::kMalformedNumber);
        return false;
      }
      while (IsDigit(At(p)) && p < text_.size()) ++p;
    }
    pos_ = p;
    return true;
  }
  if (IsNameStart(c)) {
    const std::size_t start = pos_;
    pos_ = NameEnd(pos_, true);
    if (At(pos_) == '(' && !AtEnd()) return Arguments();
    if (IsReservedWord(WordIn(start, pos_))) {
      // "x := a + end" misses an operand; END is not a variable.
      pos_ = start;
      Error(script_msg::kNeedOperand);
      return false;
    }
    if (At(pos_) == '[' && !AtEnd()) {
      ++pos_;
      if (!ExpressionBody()) return false;
      SkipBlanks();
      if (AtEnd() || At(pos_) != ']') {
        Error(script_msg::kNeedBracket);
        return false;
      }
      ++pos_;
    }
    return true;
  }
  Error(script_msg::kNeedOperand);
  return false;
}

bool TvlScriptCompiler::Arguments() {
  ++pos_;  // "("
  SkipBlanks();
  if (!AtEnd() && At(pos_) == ')') {
    ++pos_;
    return true;
  }
  for (;;) {
    if (!ExpressionBody()) return false;
    SkipBlanks();
    if (!AtEnd() && At(pos_) == ',') {
      ++pos_;
      continue;
    }
    if (!AtEnd() && At(pos_) == ')') {
      ++pos_;
      return true;
    }
    Error(script_msg::kNeedCommaOrParen);
    return false;
  }
}

// Output ---------------------------------------------------------------------

std::size_t TvlScriptCompiler::Emit(LineKind kind, std::string line, std::size_t at, bool openTarget) {
  if (error_) return kNoLine;
  if (out_->size() >= kScriptMaxLines) {
    Error(script_msg::kTooManyLines);
    return kNoLine;
  }
  out_->push_back(std::move(line));
  kinds_.push_back(kind);
  sourcePos_.push_back(at);
  if (openTarget) open_.push_back(out_->size() - 1);
  return out_->size() - 1;
}

void TvlScriptCompiler::SetTarget(std::size_t line, std::size_t target) {
  if (line == kNoLine) return;
  SetTargetBytes(line, target);
  open_.erase(std::remove(open_.begin(), open_.end(), line), open_.end());
}

void TvlScriptCompiler::SetTargetBytes(std::size_t line, std::size_t target) {
  std::string& text = (*out_)[line];
  text[1] = static_cast<char>(target & 0xFF);
  text[2] = static_cast<char>((target >> 8) & 0xFF);
}

// Second pass: gotos find their labels, expressions become postfix. A
// conversion that fails (the evaluator's scanners disagree with the shape
// checked above) is reported at the expression and leaves it empty.
void TvlScriptCompiler::ResolveAndConvert(const ToPostfixFn& toPostfix) {
  auto convert = [&](std::size_t index, const std::string& text) -> std::string {
    try {
      return toPostfix(text);
    } catch (const std::exception& e) {
      const std::string what = e.what();
      ErrorAtSource(SourceOffset(sourcePos_[index]),
                    what.empty() || what == "std::exception" ? std::string(script_msg::kNeedParen) : what);
      return {};
    }
  };
  for (std::size_t i = 0; i < out_->size(); ++i) {
    std::string& line = (*out_)[i];
    switch (kinds_[i]) {
      case LineKind::Conditional:
        line = line.substr(0, 3) + convert(i, line.substr(3));
        break;
      case LineKind::Jump:
        break;
      case LineKind::GotoLabel: {
        const std::string digits = line.substr(1);
        const std::string label = digits + ":";
        const auto found = std::find_if(labels_.begin(), labels_.end(),
                                        [&](const Label& l) { return l.Text == label; });
        line = found != labels_.end() ? JumpLine(kScriptGoto, found->Line) : OpenJumpLine(kScriptGoto) + digits;
        break;
      }
      case LineKind::Call:
        line = line.substr(0, 1) + convert(i, line.substr(1));
        break;
      case LineKind::Assignment: {
        const std::size_t blank = line.find(' ');
        line = line.substr(0, blank + 1) + convert(i, line.substr(blank + 1));
        break;
      }
    }
  }
}

}  // namespace vl
