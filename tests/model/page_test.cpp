#include <gtest/gtest.h>

#include "engine/model/page.h"
#include "engine/model/pages.h"
#include "engine/model/report.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

TEST_F(TemplateTest, NewPagesTakeTheirPaperFromThePrinterModel) {
  TvlReport r;
  TvlPage& p = *r.Pages.Add();
  EXPECT_EQ(p.PaperSize, 9);
  EXPECT_EQ(p.PaperWidth, 2100);
  EXPECT_EQ(p.PaperHeight, 2970);
  EXPECT_EQ(p.Bin, 0xFFFF);  // the default source
  EXPECT_EQ(p.PaperMetrics.PaperWidthU, 758);
  EXPECT_EQ(p.PaperMetrics.PrintableHeightU, 1035);
  EXPECT_EQ(p.Caption, "Form");
  EXPECT_EQ(p.Color, clBtnFace);
  EXPECT_EQ(p.Left + p.Top + p.Width + p.Height, 220 + 120 + 380 + 300);
  EXPECT_TRUE(p.UseMargins);

  TvlPage custom(256, 1000, 1500, -1, 0);
  EXPECT_EQ(custom.PaperSize, 256);
  EXPECT_EQ(custom.PaperMetrics.PaperWidthU, 361);

  r.Pages.Add()->Name = "B";
  r.Pages.Add()->Name = "C";
  r.Pages.Move(2, 0);
  EXPECT_EQ(r.Pages[0]->Name, "C");
  r.Pages.Delete(0);
  r.Pages.Move(0, 5);  // out of range: nothing happens
  EXPECT_EQ(r.Pages.Count(), 2);
  EXPECT_EQ(r.Pages[1]->Name, "B");
}

TEST_F(TemplateTest, PagePropertiesByName) {
  TvlPage p(9, 0, 0, -1, 0);
  p.SetProperty("width", TvlValue(360));  // report page: design pixels to tenths of a millimetre
  EXPECT_EQ(p.PaperWidth, 1000);
  EXPECT_EQ(p.GetProperty("Width").Int(), 360);
  EXPECT_EQ(p.GetProperty("HEIGHT").Int(), 1069);  // 2970 tenths
  p.SetProperty("StretchToPrintable", TvlValue(true));
  EXPECT_FALSE(p.UseMargins);
  EXPECT_TRUE(p.GetProperty("STRETCHTOPRINTABLE").Bool());
  p.SetProperty("LeftMargin", TvlValue(18));
  EXPECT_EQ(p.Margins.Left, 18);
  p.SetProperty("ColumnWidth", TvlValue(50));
  EXPECT_EQ(p.ColumnWidth, 50);
  EXPECT_TRUE(p.GetProperty("COLUMNWIDTH").IsNull());  // set only
  EXPECT_TRUE(p.GetProperty("NOSUCH").IsNull());

  p.SetProperty("TYPE", TvlValue(1));
  p.SetProperty("WIDTH", TvlValue(500));  // dialog page: the window
  EXPECT_EQ(p.Width, 500);
  EXPECT_EQ(p.PaperWidth, 1000);
  p.SetProperty("Caption", TvlValue("Ask"));
  EXPECT_EQ(p.GetProperty("CAPTION").Str(), "Ask");

  p.DeclareProperties();
  EXPECT_TRUE(p.FindProperty("OnActivate"));
  EXPECT_FALSE(p.FindProperty("Size"));
  p.PageType = ptReport;
  p.DeclareProperties();
  const TvlPropRec* size = p.FindProperty("Size");
  ASSERT_TRUE(size);
  EXPECT_EQ(size->EnumNames.size(), 67u);
  EXPECT_EQ(p.FindProperty("OnBeforePrint")->Kind, 0x0140);
}

}  // namespace
}  // namespace vl::testing
