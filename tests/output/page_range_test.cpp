#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/core/error.h"
#include "engine/output/page_range.h"

namespace vl {
namespace {

struct RangeCase {
  const char* Text;
  std::int32_t PageCount;
  std::vector<std::int32_t> Pages;  // the pages that print
  const char* Refusal = nullptr;    // what the message says, for texts that are refused
};

// The page-range texts of the print dialog: what they select, and what is
// refused (nothing prints then, so no job starts with a wrong page list).
const RangeCase kCases[] = {
    {"", 3, {1, 2, 3}},
    {"   ", 3, {1, 2, 3}},
    {"1,3,5-12", 20, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}},
    {" 1 , 3 , 5 - 7 ", 20, {1, 3, 5, 6, 7}},
    {"18-", 20, {18, 19, 20}},
    {"5-", 3, {}},
    {"12-5", 20, {}},
    {"7,2,2,1-2", 9, {1, 2, 7}},  // document order, each page once
    {"2-6", 4, {2, 3, 4}},        // pages past the last one select nothing
    {"25", 20, {}},
    {"99999999999999999999", 3, {}},
    {"3-99999999999999", 4, {3, 4}},
    {"1,,3,", 3, {1, 3}},
    {",", 3, {}},
    {"007", 9, {7}},
    {"a", 5, {}, "only page numbers, \"-\" and \",\" may be used"},
    {"1,x3", 5, {}, "only page numbers"},
    {"1;3", 5, {}, "only page numbers"},
    {"1.5", 5, {}, "only page numbers"},
    {"-", 5, {}, "a \"-\" needs a page number before it"},
    {"-5", 5, {}, "needs a page number before it"},
    {"1,-3", 5, {}, "needs a page number before it"},
    {"1--3", 5, {}, "needs a page number before it"},
    {"0", 5, {}, "pages are numbered from 1"},
    {"0-3", 5, {}, "numbered from 1"},
    {"2-0", 5, {}, "numbered from 1"},
    {"1-3-5", 9, {}, "a range has only one \"-\""},
    {"2-,4", 9, {}, "needs a page number after it, except at the end"},
};

TEST(PageRange, SelectsOrRefusesEveryTextOfTheTable) {
  for (const RangeCase& c : kCases) {
    SCOPED_TRACE(std::string("range \"") + c.Text + "\"");
    if (c.Refusal) {
      try {
        TvlPageList::Parse(c.Text, c.PageCount);
        ADD_FAILURE() << "was not refused";
      } catch (const TvlError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(std::string("Cannot read the page range \"") + c.Text + "\": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.Refusal), std::string::npos) << message;
      }
      continue;
    }
    const TvlPageList list = TvlPageList::Parse(c.Text, c.PageCount);
    EXPECT_EQ(list.Pages(), c.Pages);
    for (std::int32_t n = 0; n <= c.PageCount + 1; ++n)
      EXPECT_EQ(list.Contains(n), std::find(c.Pages.begin(), c.Pages.end(), n) != c.Pages.end()) << n;
  }
}

}  // namespace
}  // namespace vl
