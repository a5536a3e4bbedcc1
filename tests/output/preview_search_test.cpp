// Text search over prepared pages and the page a link jumps to.

#include <gtest/gtest.h>

#include "engine/output/preview_search.h"
#include "tests/output/preview_fixture.h"

namespace vl {
namespace {

using testing::AddPage;
using testing::Text;

void FivePages(TvlEMFPages& pages) {
  AddPage(pages, {400, 600}, {Text("Memo1", "Cover")});
  AddPage(pages, {400, 600}, {Text("Memo1", "Nothing here")});
  AddPage(pages, {400, 600}, {Text("Memo1", "Invoice 42", 20, 100), Text("Memo2", "second invoice", 20, 300)});
  AddPage(pages, {400, 600}, {Text("Memo1", "Filler")});
  AddPage(pages, {400, 600}, {Text("Memo1", "INVOICE total", 50, 500)});
}

TEST(PreviewSearch, FindsAcrossPagesAndGoesOnAfterEachMatch) {
  TvlEMFPages pages(nullptr);
  FivePages(pages);
  TvlPreviewSearch s;
  vlStartSearch(s, "invoice", false, false, 1);
  EXPECT_EQ(s.Text, "INVOICE");
  ASSERT_TRUE(vlFindNext(pages, s));
  EXPECT_EQ(s.FoundPage, 2);
  EXPECT_GE(s.FoundBounds.Top, 100);
  EXPECT_LT(s.FoundBounds.Top, 130);
  // Pages looked at without a match gave up their views; the found one keeps them.
  EXPECT_EQ(pages[0].Page, nullptr);
  EXPECT_EQ(pages[1].Page, nullptr);
  EXPECT_NE(pages[2].Page, nullptr);
  ASSERT_TRUE(vlFindNext(pages, s));
  EXPECT_EQ(s.FoundPage, 2);
  EXPECT_GE(s.FoundBounds.Top, 300);
  ASSERT_TRUE(vlFindNext(pages, s));
  EXPECT_EQ(s.FoundPage, 4);
  EXPECT_FALSE(vlFindNext(pages, s));
}

TEST(PreviewSearch, CaseSensitiveAndFromTheCurrentPage) {
  TvlEMFPages pages(nullptr);
  FivePages(pages);
  TvlPreviewSearch s;
  vlStartSearch(s, "INVOICE", true, false, 1);
  ASSERT_TRUE(vlFindNext(pages, s));
  EXPECT_EQ(s.FoundPage, 4);
  vlStartSearch(s, "invoice", false, true, 4);
  ASSERT_TRUE(vlFindNext(pages, s));
  EXPECT_EQ(s.FoundPage, 4);
  TvlPreviewSearch none;
  EXPECT_FALSE(vlFindNext(pages, none));  // no text searched yet
}

TEST(PreviewSearch, LinkPages) {
  const struct {
    const char* Link;
    std::optional<std::int32_t> Page;
  } cases[] = {{"@3", 3}, {"@0", 1}, {"@-4", 1}, {"@99", 99}, {"@ 7 ", 7}, {"@", std::nullopt},
               {"@3a", std::nullopt}, {"info@example.org", std::nullopt}, {"https://example.org/", std::nullopt},
               {"@99999999999", INT32_MAX}};
  for (const auto& c : cases) EXPECT_EQ(vlLinkPage(c.Link), c.Page) << c.Link;
}

}  // namespace
}  // namespace vl
