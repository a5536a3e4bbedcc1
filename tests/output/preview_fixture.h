#pragma once
// Prepared pages made in code for the preview's tests and benchmark: pages of
// a given size in page units, each holding text views.

#include <memory>
#include <string>
#include <vector>

#include "engine/model/page.h"
#include "engine/model/prepared_pages.h"
#include "platform/canvas_types.h"
#include "tests/model/prepared_fixture.h"

namespace vl::testing {

struct PageText {
  std::string Name, Text;
  std::int32_t Left = 20, Top = 20, Width = 300, Height = 20;
  std::string Tag;
};
inline PageText Text(std::string name, std::string text, std::int32_t left = 20, std::int32_t top = 20,
                     std::string tag = {}) {
  return {std::move(name), std::move(text), left, top, 300, 20, std::move(tag)};
}

// Appends a page of size (page units, the whole sheet printable) with the texts.
inline TvlPreparedPage& AddPage(TvlEMFPages& pages, TvlSize size, const std::vector<PageText>& texts = {}) {
  TvlPage sheet(9, 0, 0, -1, 0);
  pages.Insert(pages.Count(), sheet);
  TvlPreparedPage& page = pages[pages.Count() - 1];
  TvlPaperMetrics& m = page.PaperMetrics;
  m.PaperWidthU = m.PrintableWidthU = size.Width;
  m.PaperHeightU = m.PrintableHeightU = size.Height;
  m.OffsetXU = m.OffsetYU = 0;
  std::vector<std::unique_ptr<TvlMemoView>> views;
  std::vector<TvlView*> raw;
  for (const PageText& t : texts) {
    views.push_back(TextView(t.Name, t.Left, t.Top, t.Width, t.Height, t.Text));
    views.back()->Tag = t.Tag;
    raw.push_back(views.back().get());
  }
  PrintInto(page, raw);
  return page;
}

}  // namespace vl::testing
