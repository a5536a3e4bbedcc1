#include "engine/script/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/error.h"
#include "engine/core/format_settings.h"
#include "engine/core/value_convert.h"
#include "engine/core/variables.h"

namespace vl {
namespace {

const char* KindName(TvlValueKind k) {
  switch (k) {
    case TvlValueKind::Empty: return "Empty";
    case TvlValueKind::Null: return "Null";
    case TvlValueKind::Integer: return "Integer";
    case TvlValueKind::Float: return "Float";
    case TvlValueKind::Boolean: return "Boolean";
    case TvlValueKind::DateTime: return "DateTime";
    case TvlValueKind::String: return "String";
    case TvlValueKind::Array: return "Array";
  }
  return "?";
}

// A parser whose names come from a variable list and whose handlers record
// what they were asked.
class ParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = vlFormatSettings();
    vlFormatSettings() = TvlFormatSettings{};  // '.' decimals, dd/mm/yyyy
    vars_.Set("A", TvlValue(1));
    vars_.Set("B", TvlValue(2));
    vars_.Set("S", TvlValue("abc"));
    vars_.Set("N", TvlValue::Null());
    parser_.OnGetValue = [this](std::string_view name, TvlValue& v) {
      names_.emplace_back(name);
      if (const TvlValue* found = vars_.Find(name)) v = *found;
    };
    parser_.OnFunction = [this](std::string_view name, const TvlValue& p1, const TvlValue& p2,
                                const TvlValue& p3, TvlValue& v) {
      calls_.push_back(std::string(name) + "|" + p1.Str() + "|" + p2.Str() + "|" + p3.Str());
      v = TvlValue(42);
    };
  }
  void TearDown() override { vlFormatSettings() = saved_; }

  std::string Shown(const std::string& text) {
    const TvlValue v = parser_.Evaluate(text);
    return std::string(KindName(v.Kind())) + " " + vlValueToText(v);
  }

  TvlFormatSettings saved_;
  TvlVariables vars_;
  TvlParser parser_;
  std::vector<std::string> names_;
  std::vector<std::string> calls_;
};

TEST_F(ParserTest, FollowsTheOperatorTableAndTheVariantRules) {
  const struct { const char* text; const char* shown; } cases[] = {
      // The stack: nothing gives slot 0's integer 0, extra values are ignored.
      {"", "Integer 0"}, {"()", "Integer 0"}, {"2 3", "Float 2"},
      // Arithmetic: literals are floating, priorities and left association.
      {"1+2", "Float 3"}, {"2 + 3 * 4", "Float 14"}, {"2 - 3 - 4", "Float -5"},
      {"-3 + 5", "Float 2"}, {"+3", "Float 3"}, {"-(2 * 3)", "Float -6"}, {"-a", "Integer -1"},
      {"7 / 2", "Float 3.5"}, {"7 / 0", "Integer 0"}, {"a / (b - 2)", "Integer 0"},
      {"7 MOD 2", "Integer 1"}, {"-7 mod 2", "Integer -1"}, {"7 MOD 0", "Integer 0"},
      {"1,5 + 1.5", "Float 3"}, {"a + b", "Integer 3"}, {"a * 2", "Float 2"},
      {"0.1 + 0.2 = 0.3", "Integer 0"}, {"5. + .5", "Float 5.5"}, {"1e3", "Float 1000"},
      {"123456789012345 + 1", "Float 123456789012346"}, {"0.000000000000001 * 1E15", "Float 1"},
      // The word operators.
      {"ROUND(2.5)", "Float 2"}, {"ROUND(3.5)", "Float 4"}, {"INT(2.99999999999)", "Float 3"},
      {"INT(-2.5)", "Float -2"}, {"INT 7 / 2", "Float 3.5"}, {"FRAC(1.25)", "Float 0.25"},
      {"FRAC(-1.25)", "Float -0.25"}, {"FRAC(2.99999999999)", "Float 0"},
      {"STR(1.5)", "String 1.5"}, {"STR 2 + 'x'", "String 2x"}, {"STR(N)", "String "},
      {"NOT 0", "Integer 1"}, {"NOT 5", "Integer 0"}, {"NOT 0 = 5", "Integer 0"},
      {"3 > 2", "Integer 1"}, {"3 >= 3", "Integer 1"}, {"3 <= 2", "Integer 0"}, {"3 <> 2", "Integer 1"},
      {"5 and 3", "Integer 1"}, {"5 or 3", "Integer 7"}, {"true and false", "Boolean False"},
      {"TRUE or FALSE", "Boolean True"},
      // AND and OR bind like *, comparisons last: a = (1 or b) = 2 here is 0.
      {"a = 1 or b = 2", "Integer 0"}, {"(a = 1) or (b = 2)", "Integer 1"},
      // Texts: joined by +, compared byte by byte, read as numbers beside numbers.
      {"'ab' + 'cd'", "String abcd"}, {"'abc' < 'abd'", "Integer 1"},
      {"'ab' < 'abc'", "Integer 1"}, {"'B' < 'a'", "Integer 1"}, {"'a' = 'A'", "Integer 0"},
      {"'5' + 1", "Float 6"}, {"'10' > 9", "Integer 1"}, {"'10' > '9'", "Integer 0"},
      {"'It''s'", "String It's"}, {"''''''", "String '"}, {"'a''''b'", "String a'b"},
      {"'unclosed", "String unclosed"},
      // Null spreads through arithmetic and equals only itself.
      {"N + 1", "Null "}, {"N = N", "Integer 1"}, {"N = 0", "Integer 0"}, {"N < 0", "Integer 1"},
      // Built-in functions, with nested parentheses and commas inside strings.
      {"COPY('abcdef', 2, 3)", "String bcd"}, {"COPY('a,b)c', 1, 3)", "String a,b"},
      {"COPY(COPY('abcdef', 2, 4), (1+1), 2)", "String cd"}, {"COPY('abc', 0, 9)", "String abc"},
      {"COPY('abc', 5, 1)", "String "}, {"IF(1 > 0, 'yes', XYZ)", "String yes"},
      {"IF(0, 1, 'no')", "String no"}, {"IF('0.5', 1, 2)", "Float 2"},
      {"STRTODATE('25/12/2020') = STRTODATE('25.12.2020')", "Integer 1"},
      {"STR STRTOTIME('10:30')", "String 10:30:00"},
      // What the converter ignores.
      {"1 + 2 ; 5 +", "Float 3"}, {"1 + 2)", "Float 3"}, {"(1 + 2", "Float 3"}, {"\t1\r\n+2", "Float 3"},
  };
  for (const auto& c : cases) {
    try {
      EXPECT_EQ(Shown(c.text), c.shown) << c.text;
    } catch (const TvlError& e) {
      ADD_FAILURE() << c.text << " raised " << e.what();
    }
  }
  // The branch IF does not take is never resolved.
  EXPECT_EQ(std::count(names_.begin(), names_.end(), "XYZ"), 0);
}

TEST_F(ParserTest, ConvertsToThePostfixForm) {
  const struct { const char* text; const char* postfix; } cases[] = {
      {"([a] = 1) or ([b] > 2)", "[a] 1 =[b] 2 >\x04"},
      {"a = 1 or b = 2", "a 1 b \x04=2 ="},
      {"2*-3", "2 *3 \x09"},
      {"x <> 'It''s'", "x 'It''s' \x03"},
      {"Sum(x, y) + 1", "Sum(x, y)1 +"},
      {"Arr[i + 1]", "Arr[i + 1] "},
      {"NOT a >= b", "a \x0c" "b \x01"},
      {"MOD(7,2)", "7,2 \x0d"},
      {"%ab + 1", "%ab 1 +"},
      {"Table.\"Field name\" <= 3", "Table.\"Field name\" 3 \x02"},
      {"INT(x) + ROUND y - FRAC z", "x \x06y \x0e+z \x07-"},
  };
  for (const auto& c : cases) EXPECT_EQ(parser_.ToPostfix(c.text), c.postfix) << c.text;
  EXPECT_EQ(vlPostfixToDisplay("[a] 1 =[b] 2 >\x04"), "[a] 1 =[b] 2 >\\x04");
}

TEST_F(ParserTest, HandsNamesAndCallsToTheHandlers) {
  EXPECT_EQ(parser_.Evaluate("total + [total] + [a b] + [x[1]] + Table.\"Field name\"").Kind(),
            TvlValueKind::Null);
  EXPECT_EQ(names_, (std::vector<std::string>{"TOTAL", "total", "a b", "x[1]", "TABLE.\"FIELD NAME\""}));

  EXPECT_EQ(parser_.Evaluate("Arr[2]").Int(), 42);
  EXPECT_EQ(parser_.Evaluate("Sum(x, y)").Int(), 42);
  EXPECT_EQ(parser_.Evaluate("f(a, 'x,y', (1,2), 4)").Int(), 42);
  EXPECT_EQ(parser_.EvaluatePostfix(" max(1)").Int(), 42);  // a call text as the splitter finds it
  EXPECT_EQ(calls_, (std::vector<std::string>{"GETARRAY|Arr| 2|", "SUM|x| y|", "F|a| 'x,y'| (1,2), 4",
                                              "MAX|1||"}));

  // A handler may evaluate on the same evaluator.
  parser_.OnGetValue = [this](std::string_view name, TvlValue& v) {
    v = parser_.Evaluate(std::string(name) + " + 1");
  };
  EXPECT_EQ(Shown("[2] * 3"), "Float 9");

  // Without handlers names and calls are null.
  TvlParser bare;
  EXPECT_TRUE(bare.Evaluate("x").IsNull());
  EXPECT_TRUE(bare.Evaluate("f(1)").IsNull());
  EXPECT_TRUE(bare.Evaluate("[x]").IsNull());
}

TEST_F(ParserTest, ReadsNumberLiteralsTheSameInEveryLocale) {
  vlFormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(Shown("1,5 + 1.5"), "Float 3");
  EXPECT_EQ(Shown("STR 0.5"), "String 0,5");
  EXPECT_EQ(Shown("'0,5' * 2"), "Float 1");  // texts follow the locale
  EXPECT_EQ(Shown("IF(0.5 + 0.6, 'yes', 'no')"), "String yes");
}

TEST_F(ParserTest, StoredConditionsEvaluateFromTheirPostfixForm) {
  const std::string condition = parser_.ToPostfix("([a] = 1) or ([b] > 2)");
  EXPECT_EQ(parser_.EvaluatePostfix(condition).Int(), 1);
  vars_.Set("a", TvlValue(5));
  EXPECT_EQ(parser_.EvaluatePostfix(condition).Int(), 0);
  vars_.Set("b", TvlValue(3.5));
  EXPECT_EQ(parser_.EvaluatePostfix(condition).Int(), 1);
}

TEST_F(ParserTest, RaisesClearErrorsNamingTheExpression) {
  const struct { const char* text; const char* message; } cases[] = {
      // Fewer than two values for a binary operator, none for a prefix one.
      {"2*-3", "Missing operand in \"2*-3\""},
      {"a - -b", "Missing operand in \"a - -b\""},
      {"a AND NOT b", "Missing operand in \"a AND NOT b\""},
      {"MOD(7,2)", "Missing operand in \"MOD(7,2)\""},
      {"NOT", "Missing operand in \"NOT\""},
      {"1 +", "Missing operand in \"1 +\""},
      // Conversions.
      {"1.2.3", "'1.2.3' is not a valid floating point value"},
      {".", "'.' is not a valid floating point value"},
      {"'x' + 1", "Could not convert variant of type (String) into type (Double)"},
      {"IF(TRUE, 1, 2)", "'True' is not a valid floating point value"},
      {"IF(S, 1, 2)", "'abc' is not a valid floating point value"},
      {"COPY('abc', 1.5, 1)", "'1.5' is not a valid integer value"},
      {"COPY('abc', 1, 'x')", "'x' is not a valid integer value"},
      {"STRTODATE('x')", "'x' is not a valid date"},
      {"STRTOTIME('99:99')", "'99:99' is not a valid time"},
      // Parentheses of a call that never balance.
      {"SUM(a", "Missing \")\" in \"SUM(a\""},
      {"f(1, (2)", "Missing \")\" in \"f(1, (2)\""},
  };
  for (const auto& c : cases) {
    try {
      parser_.Evaluate(c.text);
      ADD_FAILURE() << c.text << " raised nothing";
    } catch (const TvlError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.text;
    }
  }
  // A stored form names itself with its control characters shown.
  try {
    parser_.EvaluatePostfix("2 *3 \x09");
    ADD_FAILURE() << "no error";
  } catch (const TvlError& e) {
    EXPECT_EQ(std::string(e.what()), "Missing operand in postfix \"2 *3 \\x09\"");
  }
  EXPECT_THROW(parser_.EvaluatePostfix("1 SUM(a"), TvlError);
  EXPECT_THROW(parser_.EvaluatePostfix("\x0c"), TvlError);
}

TEST_F(ParserTest, StaysInsideTheStackAndTheNestingLimit) {
  std::string values;
  for (int k = 0; k < TvlParser::kStackSize; ++k) values += "1 ";
  EXPECT_EQ(parser_.EvaluatePostfix(values).Float(), 1);
  EXPECT_THROW(
      {
        try {
          parser_.EvaluatePostfix(values + "1 ");
        } catch (const TvlError& e) {
          EXPECT_NE(std::string(e.what()).find("More than 32 values at once"), std::string::npos);
          throw;
        }
      },
      TvlError);
  // 32 values are reached by deep right-nesting of binary operators too.
  std::string deep = "1";
  for (int k = 0; k < 40; ++k) deep = "1 + (" + deep + ")";
  EXPECT_THROW(parser_.Evaluate(deep), TvlError);

  std::string nested = "1";
  for (int k = 0; k < TvlParser::kMaxNesting + 5; ++k) nested = "IF(1, " + nested + ", 0)";
  EXPECT_THROW(parser_.Evaluate(nested), TvlError);
  // The evaluator is usable again afterwards.
  EXPECT_EQ(Shown("IF(1, IF(1, 2, 0), 0)"), "Float 2");
}

}  // namespace
}  // namespace vl
