// The string-list methods of report objects evaluate their argument with the
// engine's shared evaluator.

#include <gtest/gtest.h>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/shared_properties.h"
#include "engine/script/parser.h"

namespace vl {
namespace {

TEST(ListMethods, EvaluateTheirArgumentAsAnExpression) {
  TvlParser parser;
  vlShared().Evaluator = &parser;
  std::vector<std::string> memo{"a", "bc"};
  const TvlValue none;
  vlListMethod(memo, "MEMO.ADD", TvlValue("1+2"), none, none, "MEMO");
  EXPECT_EQ(memo, (std::vector<std::string>{"a", "bc", "3"}));
  EXPECT_EQ(vlListMethod(memo, "MEMO.INDEXOF", TvlValue("'b' + 'c'"), none, none, "MEMO").Int(), 1);
  EXPECT_EQ(vlListMethod(memo, "LINES.INDEXOF", TvlValue("6 / 2"), none, none, "LINES").Int(), 2);
  vlListMethod(memo, "MEMO.DELETE", TvlValue("4 - 3"), none, none, "MEMO");
  EXPECT_EQ(memo, (std::vector<std::string>{"a", "3"}));
  EXPECT_THROW(vlListMethod(memo, "MEMO.ADD", TvlValue("2*-3"), none, none, "MEMO"), TvlError);
  EXPECT_EQ(memo.size(), 2u);
  vlListMethod(memo, "SETINDEXPROPERTY", TvlValue("MEMO"), TvlValue(0), TvlValue(2.5), "MEMO");
  EXPECT_EQ(vlListMethod(memo, "GETINDEXPROPERTY", TvlValue("MEMO"), TvlValue(0), none, "MEMO").Str(), "2.5");
  vlShared().Evaluator = nullptr;
}

}  // namespace
}  // namespace vl
