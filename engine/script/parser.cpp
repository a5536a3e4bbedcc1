#include "engine/script/parser.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <new>

#include "engine/core/date_time.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/units.h"
#include "engine/core/value_convert.h"
#include "engine/core/value_ops.h"

namespace vl {
namespace {

int Priority(char c) noexcept {
  switch (c) {
    case opInt: case opFrac: case opStr: case opRound:
      return 0;
    case '*': case '/': case opMod: case opAnd: case opOr: case opNot:
      return 1;
    case '+': case '-': case opNegate: case opPlusSign:
      return 2;
    case '<': case '=': case '>': case opLessEqual: case opGreaterEqual: case opNotEqual:
      return 3;
    case ')':
      return 4;
    default:
      return 5;  // '('
  }
}

// The operator a word stands for, or 0.
char KeywordCode(std::string_view word) noexcept {
  struct Keyword { const char* Name; char Code; };
  static constexpr Keyword kKeywords[] = {
      {"INT", opInt}, {"FRAC", opFrac}, {"ROUND", opRound}, {"OR", opOr},
      {"AND", opAnd}, {"NOT", opNot},   {"STR", opStr},     {"MOD", opMod},
  };
  if (word.size() < 2 || word.size() > 5) return 0;
  for (const Keyword& k : kKeywords)
    if (vlSameText(word, k.Name)) return k.Code;
  return 0;
}

bool StartsNumber(char c) noexcept { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

char AsciiUpper(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// An upper-cased copy of a name, on the machine stack when it is short, so that
// resolving a plain name allocates nothing.
class TvlUpperName {
 public:
  explicit TvlUpperName(std::string_view name) {
    if (name.size() <= sizeof buf_) {
      for (std::size_t k = 0; k < name.size(); ++k) buf_[k] = AsciiUpper(name[k]);
      view_ = std::string_view(buf_, name.size());
    } else {
      long_ = vlUpperCase(name);
      view_ = long_;
    }
  }
  TvlUpperName(const TvlUpperName&) = delete;
  TvlUpperName& operator=(const TvlUpperName&) = delete;
  std::string_view View() const noexcept { return view_; }

 private:
  char buf_[64];
  std::string long_;
  std::string_view view_;
};

// A number literal: commas and periods both stand for the decimal separator,
// read the same in every locale.
TvlValue ParseNumber(std::string_view text) {
  // Short plain decimals, the common case: the digits and the power of ten are
  // both exact doubles, so one correctly rounded division gives the same value
  // as the general reader below.
  if (text.size() <= 15) {
    std::int64_t digits = 0;
    int decimals = -1, count = 0;
    bool plain = true;
    for (const char c : text) {
      if (c >= '0' && c <= '9') {
        digits = digits * 10 + (c - '0');
        ++count;
        if (decimals >= 0) ++decimals;
      } else if ((c == '.' || c == ',') && decimals < 0) {
        decimals = 0;
      } else {
        plain = false;
        break;
      }
    }
    if (plain && count > 0) {
      static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
      const double d = static_cast<double>(digits);
      return TvlValue(decimals > 0 ? d / kPowers[decimals] : d);
    }
  }
  char small[64];
  std::string large;
  char* buf = small;
  if (text.size() > sizeof small) {
    large.resize(text.size());
    buf = large.data();
  }
  for (std::size_t k = 0; k < text.size(); ++k) buf[k] = text[k] == ',' ? '.' : text[k];
  double d = 0;
  const auto [end, ec] = std::from_chars(buf, buf + text.size(), d);
  if (ec != std::errc() || end != buf + text.size())
    throw TvlError("'" + std::string(text) + "' is not a valid floating point value");
  return TvlValue(d);
}

std::int32_t TextToInteger(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  const char* first = text.data() + b;
  if (b < e && text[b] == '+') ++first;
  std::int32_t v = 0;
  const auto [end, ec] = std::from_chars(first, text.data() + e, v);
  if (first == text.data() + e || ec != std::errc() || end != text.data() + e)
    throw TvlError("'" + text + "' is not a valid integer value");
  return v;
}

void ApplyBinary(char op, TvlValue& a, const TvlValue& b) {
  switch (op) {
    case '+': vlValueAdd(a, b); return;
    case '-': vlValueSubtract(a, b); return;
    case '*': vlValueMultiply(a, b); return;
    case '/': vlValueDivide(a, b); return;
    case opMod: vlValueMod(a, b); return;
    case opAnd: vlValueAnd(a, b); return;
    case opOr: vlValueOr(a, b); return;
    default: break;
  }
  const int c = vlValueCompare(a, b);
  bool holds = false;
  switch (op) {
    case '<': holds = c < 0; break;
    case '=': holds = c == 0; break;
    case '>': holds = c > 0; break;
    case opLessEqual: holds = c <= 0; break;
    case opGreaterEqual: holds = c >= 0; break;
    default: holds = c != 0; break;  // opNotEqual
  }
  vlReplaceValue(a, TvlValue(holds ? 1 : 0));
}

void ApplyPrefix(char op, TvlValue& a) {
  switch (op) {
    case opNegate: vlValueNegate(a); return;
    case opNot: vlReplaceValue(a, TvlValue(vlValueCompare(a, TvlValue(0)) == 0 ? 1 : 0)); return;
    case opStr: vlReplaceValue(a, TvlValue(vlValueToText(a))); return;
    default: break;
  }
  if (a.IsNull()) return;
  // Within 1e-10 of an integer counts as that integer, so that 2.9999999999999
  // from floating arithmetic does not truncate to 2.
  double x = vlValueToFloat(a);
  const double r = vlRoundToEven(x);
  const bool nearInteger = std::fabs(r - x) < 1e-10;
  if (op == opInt) {
    vlReplaceValue(a, TvlValue(nearInteger ? r : std::trunc(x)));
  } else if (op == opFrac) {
    if (nearInteger) x = r;
    vlReplaceValue(a, TvlValue(x - std::trunc(x)));
  } else {
    vlReplaceValue(a, TvlValue(r));
  }
}

// Any run of apostrophes inside a literal stands for one apostrophe.
std::string LiteralText(std::string_view inner) {
  std::string s;
  s.reserve(inner.size());
  for (std::size_t k = 0; k < inner.size(); ++k)
    if (inner[k] != '\'' || k == 0 || inner[k - 1] != '\'') s += inner[k];
  return s;
}

// The fixed value stack. Slots are constructed on first use, so a short
// expression pays only for the slots it touches.
class TvlValueStack {
 public:
  TvlValueStack() = default;
  TvlValueStack(const TvlValueStack&) = delete;
  TvlValueStack& operator=(const TvlValueStack&) = delete;
  ~TvlValueStack() {
    for (int k = built_; k > 0; --k) Slot(k - 1).~TvlValue();
  }
  TvlValue& operator[](int k) {
    while (built_ <= k) {
      new (raw_ + static_cast<std::size_t>(built_) * sizeof(TvlValue)) TvlValue();
      ++built_;
    }
    return Slot(k);
  }

 private:
  TvlValue& Slot(int k) {
    return *std::launder(reinterpret_cast<TvlValue*>(raw_ + static_cast<std::size_t>(k) * sizeof(TvlValue)));
  }
  alignas(TvlValue) unsigned char raw_[TvlParser::kStackSize * sizeof(TvlValue)];
  int built_ = 0;
};

class TvlNestingGuard {
 public:
  explicit TvlNestingGuard(int& depth) : depth_(depth) { ++depth_; }
  ~TvlNestingGuard() { --depth_; }
  TvlNestingGuard(const TvlNestingGuard&) = delete;
  TvlNestingGuard& operator=(const TvlNestingGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

std::string vlPostfixToDisplay(std::string_view postfix) {
  std::string s;
  s.reserve(postfix.size() + 8);
  for (const char c : postfix) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      s += hex;
    } else {
      s += c;
    }
  }
  return s;
}

TvlValue TvlParser::Evaluate(const std::string& text) { return Evaluate(std::string_view(text)); }

TvlValue TvlParser::Evaluate(std::string_view text) { return Run(ToPostfix(text), text, false); }

TvlValue TvlParser::EvaluatePostfix(std::string_view postfix) { return Run(postfix, postfix, true); }

std::string TvlParser::ToPostfix(std::string_view text) const {
  std::string out;
  out.reserve(text.size() + 8);
  std::string ops;  // the operator stack; back() is the top
  bool afterOperand = false;

  const auto stackOperator = [&](char c) {
    if (!ops.empty() && Priority(c) >= Priority(ops.back())) {
      while (!ops.empty() && Priority(c) >= Priority(ops.back())) {
        out += ops.back();
        ops.pop_back();
      }
    }
    ops += c;
  };

  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const char c = text[i];
    if (c == '\r' || c == ' ') {
      ++i;
      continue;
    }
    if (c == '(') {
      ops += '(';
      afterOperand = false;
      ++i;
      continue;
    }
    if (c == ')') {
      // An unmatched ')' has no effect.
      const std::size_t open = ops.rfind('(');
      if (open != std::string::npos) {
        while (ops.size() > open + 1) {
          out += ops.back();
          ops.pop_back();
        }
        ops.pop_back();
      }
      ++i;
      continue;
    }
    if (c == ';') break;
    if (c == '*' || c == '+' || c == '-' || c == '/' || c == '<' || c == '=' || c == '>') {
      const char d = i + 1 < size ? text[i + 1] : '\0';
      char code = c;
      std::size_t length = 1;
      if (c == '<' && d == '>') code = opNotEqual, length = 2;
      else if (c == '>' && d == '=') code = opGreaterEqual, length = 2;
      else if (c == '<' && d == '=') code = opLessEqual, length = 2;
      else if (c == '-' && !afterOperand) code = opNegate;
      else if (c == '+' && !afterOperand) code = opPlusSign;
      stackOperator(code);
      afterOperand = false;
      i += length;
      continue;
    }

    // An operand, possibly with a two-character % prefix.
    std::string_view prefix;
    if (c == '%') {
      prefix = text.substr(i, 2);
      i += prefix.size();
    }
    if (i < size && text[i] == '\'') {
      bool closed = false;
      const std::size_t end = vlScanQuoted(text, i, closed);
      out += prefix;
      out += text.substr(i, end - i);
      if (!closed) out += '\'';  // the stored form always holds a whole literal
      out += ' ';
      i = end;
    } else if (i < size && text[i] == '[') {
      const TvlBracketScan b = vlScanBracket(text, i);
      out += prefix;
      out += '[';
      out += b.Name;
      out += "] ";
      i = b.Next;
    } else {
      const TvlIdentifierScan id = vlScanIdentifier(text, i);
      const std::string_view name = id.Text(text);
      if (name.empty() && prefix.empty()) {
        // Only control characters (a tab, a line feed): they separate like a
        // blank instead of standing for an empty operand.
        i = id.Start;
        continue;
      }
      i = id.End;
      const char next = i < size ? text[i] : '\0';
      const char first = !prefix.empty() ? prefix[0] : (name.empty() ? '\0' : name[0]);
      if (next == '[') {
        const TvlBracketScan b = vlScanBracket(text, i);
        out += prefix;
        out += name;
        out += '[';
        out += b.Name;
        out += "] ";
        i = b.Next;
      } else if (const char code = prefix.empty() ? KeywordCode(name) : 0; code != 0) {
        stackOperator(code);
        afterOperand = false;
        continue;
      } else if (next == '(' && !StartsNumber(first)) {
        const TvlArgumentScan args = vlScanArguments(text, i);
        out += prefix;
        out += text.substr(id.Start, args.Next - id.Start);
        i = args.Next;
      } else {
        out += prefix;
        out += name;
        out += ' ';
      }
    }
    afterOperand = true;
  }
  // What is left on the stack follows, top first; a '(' that never closed is
  // dropped, as a ')' that never opened is ignored.
  while (!ops.empty()) {
    if (ops.back() != '(') out += ops.back();
    ops.pop_back();
  }
  return out;
}

void TvlParser::CallFunction(std::string_view name, const TvlArgumentScan& args, TvlValue& slot) {
  if (name == "COPY") {
    const std::string s = vlValueToText(Evaluate(args.Args[0]));
    const std::int64_t start = TextToInteger(vlValueToText(Evaluate(args.Args[1])));
    const std::int64_t count = TextToInteger(vlValueToText(Evaluate(args.Args[2])));
    const std::int64_t from = start < 1 ? 0 : start - 1;
    if (count <= 0 || from >= static_cast<std::int64_t>(s.size())) vlReplaceValue(slot, TvlValue(std::string()));
    else vlReplaceValue(slot, TvlValue(s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count))));
  } else if (name == "IF") {
    const std::string condition = vlValueToText(Evaluate(args.Args[0]));
    double x = 0;
    if (!vlTryTextToFloat(condition, x))
      throw TvlError("'" + condition + "' is not a valid floating point value");
    // Only the branch taken is evaluated.
    slot = Evaluate(std::trunc(x) != 0 ? args.Args[1] : args.Args[2]);
  } else if (name == "STRTODATE" || name == "STRTOTIME") {
    const bool date = name == "STRTODATE";
    const std::string s = vlValueToText(Evaluate(args.Args[0]));
    double d = 0;
    if (!(date ? vlTextToDate(s, d) : vlTextToTime(s, d)))
      throw TvlError("'" + s + (date ? "' is not a valid date" : "' is not a valid time"));
    vlReplaceValue(slot, TvlValue::DateTime(d));
  } else {
    vlReplaceValue(slot, TvlValue::Null());
    if (OnFunction)
      OnFunction(name, TvlValue(std::string(args.Args[0])), TvlValue(std::string(args.Args[1])),
                 TvlValue(std::string(args.Args[2])), slot);
  }
}

TvlValue TvlParser::Run(std::string_view postfix, std::string_view source, bool sourceIsPostfix) {
  const auto fail = [&](const std::string& what) {
    const std::string shown = sourceIsPostfix ? "postfix \"" + vlPostfixToDisplay(source) + "\""
                                              : "\"" + std::string(source) + "\"";
    throw TvlError(what + " in " + shown);
  };
  const TvlNestingGuard guard(nesting_);
  if (nesting_ > kMaxNesting)
    fail("Expressions nested more than " + std::to_string(kMaxNesting) + " deep");

  TvlValueStack stack;
  stack[0] = TvlValue(0);
  int n = 0;  // values on the stack
  const auto push = [&]() -> TvlValue& {
    if (n >= kStackSize)
      fail("More than " + std::to_string(kStackSize) + " values at once");
    return stack[n];
  };

  const std::size_t size = postfix.size();
  std::size_t i = 0;
  while (i < size) {
    const char c = postfix[i];
    switch (c) {
      case opPlusSign:
      case ' ':
        ++i;
        break;
      case opGreaterEqual: case opLessEqual: case opNotEqual: case opOr: case opAnd: case opMod:
      case '*': case '+': case '-': case '/': case '<': case '=': case '>':
        if (n < 2) fail("Missing operand");
        ApplyBinary(c, stack[n - 2], stack[n - 1]);
        --n;
        ++i;
        break;
      case opNegate: case opNot: case opStr: case opInt: case opFrac: case opRound:
        if (n < 1) fail("Missing operand");
        ApplyPrefix(c, stack[n - 1]);
        ++i;
        break;
      case '\'': {
        TvlValue& slot = push();
        bool closed = false;
        const std::size_t end = vlScanQuoted(postfix, i, closed);
        vlReplaceValue(slot, TvlValue(LiteralText(postfix.substr(i + 1, (closed ? end - 1 : end) - (i + 1)))));
        ++n;
        i = end;
        break;
      }
      case '[': {
        TvlValue& slot = push();
        const TvlBracketScan b = vlScanBracket(postfix, i);
        vlReplaceValue(slot, TvlValue::Null());
        if (OnGetValue) OnGetValue(b.Name, slot);
        ++n;
        i = b.Next;
        break;
      }
      default: {
        const TvlIdentifierScan id = vlScanIdentifier(postfix, i);
        const std::string_view name = id.Text(postfix);
        const char next = id.End < size ? postfix[id.End] : '\0';
        if (name.empty() && next != '(') {
          // Nothing to name (a stray control character or parenthesis).
          i = id.End > i ? id.End : i + 1;
          break;
        }
        TvlValue& slot = push();
        if (!name.empty() && StartsNumber(name[0])) {
          slot = ParseNumber(name);
          i = id.End;
        } else if (vlSameText(name, "TRUE") || vlSameText(name, "FALSE")) {
          vlReplaceValue(slot, TvlValue(name.size() == 4));
          i = id.End;
        } else if (next == '[') {
          // Array access is a call of GETARRAY.
          const TvlBracketScan b = vlScanBracket(postfix, id.End);
          std::string call = "GETARRAY(";
          call += name;
          call += ", ";
          call += b.Name;
          call += ')';
          slot = Evaluate(std::string_view(call));
          i = b.Next;
        } else if (next == '(') {
          const TvlArgumentScan args = vlScanArguments(postfix, id.End);
          CallFunction(TvlUpperName(name).View(), args, slot);
          i = args.Next;
        } else {
          vlReplaceValue(slot, TvlValue::Null());
          if (OnGetValue) OnGetValue(TvlUpperName(name).View(), slot);
          i = id.End;
        }
        ++n;
      }
    }
  }
  return std::move(stack[0]);
}

}  // namespace vl
