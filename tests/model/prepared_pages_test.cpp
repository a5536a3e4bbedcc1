#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/core/error.h"
#include "engine/model/report.h"
#include "platform/memory_printer.h"
#include "platform/recording_canvas.h"
#include "platform/recording_shell.h"
#include "tests/model/prepared_fixture.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

class PreparedPagesTest : public TemplateTest {
 protected:
  void SetUp() override {
    TemplateTest::SetUp();
    saved_ = vlState();
    static TvlRecordingShell recordingShell;
    recordingShell.Requests.clear();
    shell = &recordingShell;
    vlInstallPlatform(TvlPlatform{nullptr, nullptr, shell, nullptr});
  }
  void TearDown() override {
    vlState() = saved_;
    vlViewConsumer() = {};
    static_cast<TvlMemoryPrinter*>(vlPlatform().Printer)->IsPrinting = false;
  }

  // A4 page with margins 10, 20, 30, 40, the given views printed into it.
  void AddPage(const std::vector<TvlView*>& views, bool useMargins = true) {
    TvlPage tpl(9, 0, 0, -1, 0);
    tpl.Margins = {10, 20, 30, 40};
    tpl.UseMargins = useMargins;
    report.EMFPages.Add(tpl);
    PrintInto(report.EMFPages[report.EMFPages.Count() - 1], views);
  }

  TvlReport report;
  TvlEMFPages& store = report.EMFPages;
  TvlRecordingShell* shell = nullptr;

 private:
  TvlEngineState saved_;
};

TEST_F(PreparedPagesTest, InsertAddAndDeleteKeepPaperAndOrder) {
  std::vector<std::int32_t> begun;
  report.OnBeginPage = [&](std::int32_t n) { begun.push_back(n); };
  vlState().CurReport = &report;
  vlState().PageNo = 4;
  TvlPage a4(9, 0, 0, -1, 0);
  a4.Margins = {1, 2, 3, 4};
  a4.UseMargins = false;
  TvlPage dl(27, 0, 0, -1, 1);
  store.Add(a4);
  store.Insert(99, dl);  // past the end: appended, no event
  store.Insert(0, dl);
  ASSERT_EQ(store.Count(), 3);
  EXPECT_EQ(begun, std::vector<std::int32_t>{4});
  EXPECT_EQ(store[0].PaperSize, 27);
  EXPECT_EQ(store[0].Orientation, 1);
  EXPECT_EQ(store[1].PaperSize, 9);
  EXPECT_EQ(store[1].Margins, (TvlRect{1, 2, 3, 4}));
  EXPECT_FALSE(store[1].UseMargins);
  EXPECT_EQ(store[1].PaperMetrics, a4.PaperMetrics);
  EXPECT_EQ(store[1].Bin, a4.Bin);
  EXPECT_EQ(store[1].Stream.Bytes(), std::string(1, '\x19'));  // only the version byte
  EXPECT_FALSE(store[1].Visible);

  store.Delete(0);
  store.Delete(7);  // out of range: nothing happens
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(store[0].PaperSize, 9);
  store.Clear();
  EXPECT_EQ(store.Count(), 0);
}

TEST_F(PreparedPagesTest, ExpandReadsTheRecordsAndWriteBackRewritesThem) {
  auto memo = TextView("Memo1", 10, 20, 200, 18, "Hello");
  TvlLineView line;
  line.Left = 5, line.Width = 300;
  AddPage({memo.get(), &line});
  const std::string printed = store[0].Stream.Bytes();

  TvlPage* page = store.Expand(0);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(store.Expand(0), page);  // expanded once
  ASSERT_EQ(page->Objects.size(), 2u);
  auto* m = dynamic_cast<TvlMemoView*>(page->Objects[0].get());
  ASSERT_NE(m, nullptr);
  EXPECT_FALSE(m->PrintingForm);
  EXPECT_EQ(m->Memo, std::vector<std::string>{"Hello"});
  EXPECT_EQ(m->Left, 10);
  EXPECT_EQ(page->Margins, (TvlRect{10, 20, 30, 40}));

  store.WriteBack(0);  // nothing edited: the same records
  EXPECT_EQ(store[0].Stream.Bytes(), printed);

  m->Memo = {"Edited"};
  m->Left = 44;
  store.WriteBack(0);
  store[0].Page.reset();
  m = dynamic_cast<TvlMemoView*>(store.Expand(0)->Objects[0].get());
  EXPECT_EQ(m->Memo, std::vector<std::string>{"Edited"});
  EXPECT_EQ(m->Left, 44);
  EXPECT_EQ(store.Expand(5), nullptr);
}

TEST_F(PreparedPagesTest, AutoWidthTextIsSettledWhenExpanded) {
  auto memo = TextView("Memo1", 100, 20, 500, 18, "Hi");
  memo->Flags |= flAutoWidth;
  auto right = TextView("Memo2", 100, 60, 500, 18, "Hi");
  right->Flags |= flAutoWidth;
  right->Alignment = vltaRight;
  AddPage({memo.get(), right.get()});
  TvlPage* page = store.Expand(0);
  const TvlView& m = *page->Objects[0];
  const TvlView& r = *page->Objects[1];
  EXPECT_GT(m.Width, 0);
  EXPECT_LT(m.Width, 100);
  EXPECT_EQ(m.Left, 100);
  EXPECT_EQ(r.Width, m.Width);
  EXPECT_EQ(r.Left + r.Width, 600);  // right-aligned text keeps its right edge
  EXPECT_EQ(vlState().DocMode, TvlDocMode::dmDesign);
}

TEST_F(PreparedPagesTest, ClearVisibleFlagReleasesThePageAndSettingItExpandsAgain) {
  auto memo = TextView("Memo1", 10, 20, 200, 18, "Hello");
  AddPage({memo.get()});
  TvlRecordingCanvas canvas({800, 1100});
  const TvlRect whole{0, 0, 758, 1071};

  store.Draw(0, canvas, whole);  // not visible yet: nothing drawn, nothing expanded
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_EQ(store[0].Page, nullptr);

  store[0].Visible = true;
  store.Draw(0, canvas, whole);
  ASSERT_NE(store[0].Page, nullptr);
  EXPECT_EQ(vlState().CurPage, store[0].Page.get());
  EXPECT_EQ(vlState().DocMode, TvlDocMode::dmPrinting);
  const std::vector<std::string> first = canvas.Describe();
  ASSERT_EQ(canvas.TextRuns().size(), 1u);

  store[0].Visible = false;
  canvas.Clear();
  store.Draw(0, canvas, {});
  EXPECT_EQ(store[0].Page, nullptr);
  EXPECT_EQ(vlState().CurPage, nullptr);
  EXPECT_TRUE(canvas.Ops().empty());

  store[0].Visible = true;
  TvlRecordingCanvas again({800, 1100});
  store.Draw(0, again, whole);
  ASSERT_NE(store[0].Page, nullptr);
  EXPECT_EQ(again.Describe(), first);
}

TEST_F(PreparedPagesTest, ScreenDrawSkipsViewsBeyondTheClipWithTenPixelsTolerance) {
  // The clip starts at y = 300; a view counts while its bounds grown by 10
  // pixels reach it.
  auto above = TextView("Above", 100, 100, 50, 20, "above");
  auto near = TextView("Near", 100, 272, 50, 20, "near");  // 292 + 10 reaches 300
  auto far = TextView("Far", 100, 268, 50, 20, "far");     // 288 + 10 does not
  auto below = TextView("Below", 600, 1000, 50, 20, "below");
  AddPage({above.get(), near.get(), far.get(), below.get()});
  store[0].Visible = true;
  const TvlRect whole{0, 0, store[0].PaperMetrics.PaperWidthU, store[0].PaperMetrics.PaperHeightU};
  auto draw = [&](TvlSurfaceKind kind) {
    TvlRecordingCanvas canvas({800, 1100});
    canvas.SetKind(kind);
    canvas.SelectClipRegion(TvlRegion(TvlRect{0, 300, 800, 1100}));
    store.Draw(0, canvas, whole);
    std::vector<std::string> texts;
    for (const TvlTextRun& run : canvas.TextRuns()) texts.push_back(run.Text);
    return texts;
  };
  EXPECT_EQ(draw(TvlSurfaceKind::Screen), (std::vector<std::string>{"near", "below"}));
  // A recorded page picture takes every view.
  EXPECT_EQ(draw(TvlSurfaceKind::Metafile).size(), 4u);
  // A printer surface takes every view while the printer prints, and the
  // views keep the printer's own handling.
  EXPECT_EQ(draw(TvlSurfaceKind::Printer).size(), 2u);
  EXPECT_EQ(store[0].Page->Objects[1]->ToPrinter, 0);
  static_cast<TvlMemoryPrinter*>(vlPlatform().Printer)->IsPrinting = true;
  EXPECT_EQ(draw(TvlSurfaceKind::Printer).size(), 4u);
  EXPECT_EQ(store[0].Page->Objects[1]->ToPrinter, 1);
}

TEST_F(PreparedPagesTest, ViewsOffThePaperAreCutAtItsEdge) {
  auto off = TextView("Off", 904, 100, 80, 20, "off");    // right of a 794-wide page
  auto left = TextView("Left", -236, 200, 300, 20, "left");  // reaching in from the left
  AddPage({off.get(), left.get()});
  store[0].Visible = true;
  TvlRecordingCanvas canvas({2000, 2000});
  const TvlRect paper{100, 50, 100 + store[0].PaperMetrics.PaperWidthU, 50 + store[0].PaperMetrics.PaperHeightU};
  store.Draw(0, canvas, paper);
  bool clipped = false;
  for (const TvlCanvasOp& op : canvas.Ops()) {
    if (op.Kind == TvlOpKind::Clip && op.HasClip) clipped = op.Region.Bounds() == paper;
    if (op.Kind == TvlOpKind::Text) {
      EXPECT_TRUE(clipped) << op.Text << " is drawn inside the paper's clip";
    }
  }
  EXPECT_FALSE(canvas.ClipRegion().has_value()) << "the surface's own clip comes back";

  // A page whose views all lie on the paper sets no clip at all.
  auto inside = TextView("Inside", 10, 10, 80, 20, "in");
  AddPage({inside.get()});
  store[1].Visible = true;
  TvlRecordingCanvas plain({2000, 2000});
  store.Draw(1, plain, paper);
  for (const TvlCanvasOp& op : plain.Ops()) EXPECT_NE(op.Kind, TvlOpKind::Clip);
}

TEST_F(PreparedPagesTest, ViewsAreScaledAndOffsetIntoTheRectangle) {
  auto filled = TextView("Fill", 100, 200, 50, 20, "");
  filled->Memo.clear();
  filled->FillColor = 0x0000FF;
  AddPage({filled.get()});
  store[0].Visible = true;
  TvlRecordingCanvas canvas({2000, 3000});
  const std::int32_t w = store[0].PaperMetrics.PaperWidthU, h = store[0].PaperMetrics.PaperHeightU;
  store.Draw(0, canvas, {30, 40, 30 + 2 * w, 40 + 2 * h});
  std::vector<TvlRect> fills;
  for (const TvlCanvasOp& op : canvas.Ops())
    if (op.Kind == TvlOpKind::FillRect) fills.push_back(op.Rect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].Left, 230);
  EXPECT_EQ(fills[0].Top, 440);
}

TEST_F(PreparedPagesTest, DamagedRecordsDrawNothingAndExpandRaises) {
  AddPage({});
  store[0].Stream.WriteByte(otMemo);
  store[0].Stream.WriteU16(40);  // a name longer than the stream
  store[0].Visible = true;
  TvlRecordingCanvas canvas;
  store.Draw(0, canvas, {0, 0, 758, 1071});
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_THROW(store.Expand(0), TvlError);
  EXPECT_EQ(store[0].Page, nullptr);
  EXPECT_FALSE(store.HitTest(0, {1, 1}, true).Handled);

  store[0].Stream = TvlStreamWriter();
  store[0].Stream.WriteByte(26);  // a stream version this engine does not know
  EXPECT_THROW(store.Expand(0), TvlError);
  EXPECT_EQ(vlState().StreamVersion, kCurrentStreamVersion);
}

TEST_F(PreparedPagesTest, PassObjectsHandsEveryViewToTheConsumer) {
  auto a = TextView("A", 10, 20, 50, 20, "a");
  auto b = TextView("B", 30, 40, 50, 20, "b");
  AddPage({a.get(), b.get()});
  std::vector<std::string> seen;
  vlViewConsumer() = [&](TvlView& v, std::int32_t left, std::int32_t top) {
    seen.push_back(v.Name + " " + std::to_string(left) + "," + std::to_string(top));
  };
  store.PassObjects(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"A 10,20", "B 30,40"}));
  EXPECT_EQ(store[0].Page, nullptr);  // the expanded page is not touched
}

TEST_F(PreparedPagesTest, PagesBeyondTheThresholdWaitInATemporaryFileAndReadBackWhole) {
  store.SetSpillThreshold(2000);
  std::vector<std::string> printed;
  for (int k = 0; k < 60; ++k) {
    auto memo = TextView("Memo" + std::to_string(k), 10, 20 + k, 200, 18, "Envelope " + std::to_string(k));
    AddPage({memo.get()});
  }
  for (int k = 0; k < store.Count(); ++k) printed.push_back(store.StreamBytes(k));
  EXPECT_GT(store.SpilledBytes(), 0u);
  EXPECT_TRUE(store[0].Spilled());
  EXPECT_TRUE(store[0].Stream.Bytes().empty());  // not held in memory
  EXPECT_LT(store[0].Stream.Bytes().capacity(), 16u);  // and its buffer given back
  EXPECT_FALSE(store[store.Count() - 1].Spilled());  // the page being written stays
  std::size_t inMemory = 0;
  for (int k = 0; k < store.Count(); ++k) inMemory += store[k].Stream.Bytes().size();
  EXPECT_LE(inMemory, 2000u + printed.back().size());

  // Read back as they were: expanded, saved and loaded again.
  auto* m = dynamic_cast<TvlMemoView*>(store.Expand(3)->Objects[0].get());
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Memo, std::vector<std::string>{"Envelope 3"});
  const std::string file = ::testing::TempDir() + "vl_spilled_pages.vlp";
  store.SaveToFile(file);
  TvlStreamWriter whole;
  store.SaveToStream(whole);
  TvlReport loaded;
  loaded.LoadPreparedReport(file);
  ASSERT_EQ(loaded.EMFPages.Count(), 60);
  for (int k = 0; k < 60; ++k) EXPECT_EQ(loaded.EMFPages.StreamBytes(k), printed[static_cast<std::size_t>(k)]) << k;
  TvlStreamWriter again;
  loaded.EMFPages.SaveToStream(again);
  EXPECT_EQ(again.Bytes(), whole.Bytes());
  std::remove(file.c_str());

  // Written again: the page comes back into memory and keeps what is added.
  TvlLineView line;
  line.Left = 5, line.Width = 300;
  TvlStreamPrintSink sink(store.StreamOf(1));
  line.Print(sink);
  EXPECT_FALSE(store[1].Spilled());
  EXPECT_EQ(store.Expand(1)->Objects.size(), 2u);
  // Deleting, swapping and clearing keep the rest readable.
  store.Delete(0);
  EXPECT_EQ(store.StreamBytes(1), printed[2]);
  TvlEMFPages other(nullptr);
  other.Swap(store);
  EXPECT_EQ(other.StreamBytes(4), printed[5]);
  other.Clear();
  EXPECT_EQ(other.SpilledBytes(), 0u);
}

class HitTestTest : public PreparedPagesTest {
 protected:
  void SetUp() override {
    PreparedPagesTest::SetUp();
    link = TextView("URLHome", 100, 100, 200, 20, "link");
    plain = TextView("Memo1", 100, 100, 50, 10, "plain");  // under the link
  }
  std::unique_ptr<TvlMemoView> link, plain;
};

TEST_F(HitTestTest, ClickOnUrlViewsOpensOnlyWebAddresses) {
  struct Case {
    std::string tag;
    bool opened;
  };
  const Case cases[] = {
      {"https://example.org/a?b=1", true},
      {"HTTP://example.org", true},
      {"@3", false},                    // a page jump comes back to the preview
      {"mailto:someone@example.org", false},
      {"file:///etc/passwd", false},    // would run what the file names
      {"/usr/bin/xterm", false},
      {"ftp://example.org", false},
      {"https://", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    store.Clear();
    shell->Requests.clear();
    link->Tag = c.tag;
    AddPage({plain.get(), link.get()});
    const TvlHitResult hit = store.HitTest(0, {150, 110}, true);
    EXPECT_TRUE(hit.Handled);
    if (c.opened) {
      ASSERT_EQ(shell->Requests.size(), 1u);
      EXPECT_EQ(shell->Requests[0].Address, c.tag);
      EXPECT_EQ(shell->Requests[0].Verb, "open");
      EXPECT_EQ(hit.LinkText, "");
    } else {
      EXPECT_TRUE(shell->Requests.empty());
      EXPECT_EQ(hit.LinkText, c.tag);
    }
  }
}

TEST_F(HitTestTest, TopmostViewCountsAndEventsFire) {
  link->Tag = "@2";
  AddPage({plain.get(), link.get()});
  std::vector<std::string> clicked;
  report.OnObjectClick = [&](TvlView* v) { clicked.push_back(v->Name); };

  // The link covers the plain view; right and bottom edges are outside.
  EXPECT_EQ(store.HitTest(0, {100, 100}, true).LinkText, "@2");
  EXPECT_FALSE(store.HitTest(0, {300, 110}, true).Handled);
  EXPECT_FALSE(store.HitTest(0, {150, 120}, true).Handled);
  EXPECT_EQ(clicked, (std::vector<std::string>{"URLHome"}));

  // A plain view: handled only through the event.
  store.Clear();
  AddPage({plain.get()});
  TvlHitResult hit = store.HitTest(0, {120, 105}, true);
  EXPECT_TRUE(hit.Handled);
  EXPECT_EQ(hit.LinkText, "");
  report.OnObjectClick = nullptr;
  EXPECT_FALSE(store.HitTest(0, {120, 105}, true).Handled);

  // Mouse moves: the event may choose a cursor; a link shows the hand.
  report.OnMouseOverObject = [](TvlView*, TvlCursor& c) { c = crCross; };
  hit = store.HitTest(0, {120, 105}, false);
  EXPECT_TRUE(hit.Handled);
  EXPECT_EQ(hit.Cursor, crCross);
  store.Clear();
  AddPage({link.get()});
  hit = store.HitTest(0, {120, 105}, false);
  EXPECT_EQ(hit.Cursor, crHandPoint);
  EXPECT_EQ(hit.LinkText, "@2");
  EXPECT_TRUE(shell->Requests.empty());
}

TEST_F(HitTestTest, PageStretchedToThePrintableAreaMapsThroughItsMargins) {
  link->Tag = "@1";
  AddPage({link.get()}, /*useMargins=*/false);
  const TvlPaperMetrics& m = store[0].PaperMetrics;
  const double kx = static_cast<double>(m.PrintableWidthU - 10 - 30) / m.PaperWidthU;
  const double ky = static_cast<double>(m.PrintableHeightU - 20 - 40) / m.PaperHeightU;
  const TvlPoint topLeft{static_cast<std::int32_t>(100 * kx + 10 + m.OffsetXU + 1),
                         static_cast<std::int32_t>(100 * ky + 20 + m.OffsetYU + 1)};
  EXPECT_EQ(store.HitTest(0, topLeft, false).LinkText, "@1");
  EXPECT_FALSE(store.HitTest(0, {101, 101}, false).Handled);  // where it would lie unstretched
}

}  // namespace
}  // namespace vl::testing
