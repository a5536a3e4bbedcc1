#include <gtest/gtest.h>

#include "designer/expr_form.h"

namespace vl {
namespace {

TEST(ExprInsertion, NamesOutsideLettersDigitsPointAndUnderscoreAreBracketed) {
  const struct {
    const char* name;
    const char* inserted;
  } cases[] = {
      {"Total", "Total"},
      {"total_2.x", "total_2.x"},
      {"", ""},
      {"PAGE#", "[PAGE#]"},
      {"Grand total", "[Grand total]"},
      {"Customers.\"Name\"", "[Customers.\"Name\"]"},
      {"Stra\xc3\x9f" "e", "[Stra\xc3\x9f" "e]"},
  };
  for (const auto& c : cases) EXPECT_EQ(vlWrapInsertedName(c.name), c.inserted) << c.name;
}

}  // namespace
}  // namespace vl
