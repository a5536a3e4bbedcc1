#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/core/date_time.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "tests/model/sample_template.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

// Every stored view field, compared between two views of the same class.
void ExpectSameView(const TvlView& a, const TvlView& b) {
  SCOPED_TRACE(a.Name);
  EXPECT_EQ(a.Typ, b.Typ);
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_EQ(a.Top, b.Top);
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.Flags, b.Flags);
  EXPECT_EQ(a.FrameTyp, b.FrameTyp);
  EXPECT_FLOAT_EQ(a.FrameWidth, b.FrameWidth);
  EXPECT_EQ(a.FrameColor, b.FrameColor);
  EXPECT_EQ(a.FrameStyle, b.FrameStyle);
  EXPECT_EQ(a.FillColor, b.FillColor);
  EXPECT_EQ(a.Format, b.Format);
  EXPECT_EQ(a.FormatText, b.FormatText);
  EXPECT_EQ(a.Memo, b.Memo);
  EXPECT_EQ(a.Script, b.Script);
  EXPECT_EQ(a.Visible, b.Visible);
  EXPECT_EQ(a.GapX, b.GapX);
  EXPECT_EQ(a.GapY, b.GapY);
  EXPECT_EQ(a.Restrictions, b.Restrictions);
  EXPECT_EQ(a.Tag, b.Tag);
  EXPECT_EQ(a.BandAlign, b.BandAlign);
  if (auto* m = dynamic_cast<const TvlMemoView*>(&a)) {
    auto* n = dynamic_cast<const TvlMemoView*>(&b);
    ASSERT_TRUE(n);
    EXPECT_EQ(m->Font, n->Font);
    EXPECT_EQ(m->Alignment, n->Alignment);
    EXPECT_EQ(m->HighlightStyle, n->HighlightStyle);
    EXPECT_EQ(m->HighlightFontColor, n->HighlightFontColor);
    EXPECT_EQ(m->HighlightFillColor, n->HighlightFillColor);
    EXPECT_EQ(m->HighlightCondition, n->HighlightCondition);
    EXPECT_EQ(m->LineSpacing, n->LineSpacing);
    EXPECT_EQ(m->CharSpacing, n->CharSpacing);
  }
  if (auto* m = dynamic_cast<const TvlBandView*>(&a)) {
    auto* n = dynamic_cast<const TvlBandView*>(&b);
    ASSERT_TRUE(n);
    EXPECT_EQ(m->ChildBand, n->ChildBand);
    EXPECT_EQ(m->Master, n->Master);
    EXPECT_EQ(m->Columns, n->Columns);
    EXPECT_EQ(m->ColumnWidth, n->ColumnWidth);
    EXPECT_EQ(m->ColumnGap, n->ColumnGap);
    EXPECT_EQ(m->NewColumnAfter, n->NewColumnAfter);
  }
  if (auto* m = dynamic_cast<const TvlPictureView*>(&a)) {
    auto* n = dynamic_cast<const TvlPictureView*>(&b);
    ASSERT_TRUE(n);
    EXPECT_EQ(m->Picture, n->Picture);
    EXPECT_EQ(m->BlobType, n->BlobType);
  }
  if (auto* m = dynamic_cast<const TvlSubReportView*>(&a)) {
    auto* n = dynamic_cast<const TvlSubReportView*>(&b);
    ASSERT_TRUE(n);
    EXPECT_EQ(m->TargetPage, n->TargetPage);
  }
}

void ExpectSamePage(const TvlPage& a, const TvlPage& b) {
  SCOPED_TRACE(a.Name);
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.PageType, b.PageType);
  EXPECT_EQ(a.PaperSize, b.PaperSize);
  EXPECT_EQ(a.PaperWidth, b.PaperWidth);
  EXPECT_EQ(a.PaperHeight, b.PaperHeight);
  EXPECT_EQ(a.Margins, b.Margins);
  EXPECT_EQ(a.Orientation, b.Orientation);
  EXPECT_EQ(a.Bin, b.Bin);
  EXPECT_EQ(a.PrintToPrevPage, b.PrintToPrevPage);
  EXPECT_EQ(a.UseMargins, b.UseMargins);
  EXPECT_EQ(a.Columns, b.Columns);
  EXPECT_EQ(a.ColumnGap, b.ColumnGap);
  EXPECT_EQ(a.PaperMetrics, b.PaperMetrics);
  EXPECT_EQ(a.Caption, b.Caption);
  EXPECT_EQ(a.BorderStyle, b.BorderStyle);
  EXPECT_EQ(a.Color, b.Color);
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_EQ(a.Top, b.Top);
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.Position, b.Position);
  EXPECT_EQ(a.Script, b.Script);
  EXPECT_EQ(a.Visible, b.Visible);  // a run-time switch of scripts, never stored
  ASSERT_EQ(a.Objects.size(), b.Objects.size());
  for (std::size_t k = 0; k < a.Objects.size(); ++k) ExpectSameView(*a.Objects[k], *b.Objects[k]);
}

TEST_F(TemplateTest, SaveAndLoadGiveBackEveryField) {
  TvlReport original;
  sample::Fill(original);
  const double before = vlNow();
  const std::string bytes = Save(original);
  EXPECT_GE(original.ReportLastChange, before);  // the save stamps the last change

  TvlReport loaded;
  Load(loaded, bytes);
  EXPECT_EQ(loaded.LastLoadStatus, TvlLoadStatus::Loaded);
  EXPECT_TRUE(messages->Messages.empty());
  EXPECT_EQ(loaded.SelectPrinterWhenLoaded, true);
  EXPECT_EQ(loaded.TwoPassReport, true);
  EXPECT_EQ(loaded.PrinterName, "Virtual printer");
  EXPECT_EQ(loaded.ReportComment, "comment");
  EXPECT_EQ(loaded.ReportName, "Envelope");
  EXPECT_EQ(loaded.ReportAutor, "author");
  EXPECT_EQ(loaded.VMajor + loaded.VMinor + loaded.VRelease + loaded.VBuild, "1234");
  EXPECT_EQ(loaded.ReportCreateDate, 45000.25);
  EXPECT_EQ(loaded.ReportLastChange, original.ReportLastChange);
  EXPECT_EQ(loaded.GeneratorVersion, 88);
  ASSERT_EQ(loaded.Pages.Count(), 2);
  for (int p = 0; p < 2; ++p) ExpectSamePage(*original.Pages[p], *loaded.Pages[p]);
  EXPECT_EQ(loaded.Pages[0]->PaperSize, 27);
  EXPECT_EQ(loaded.Pages[0]->PaperWidth, 2200);  // landscape DL
  EXPECT_EQ(loaded.Dictionary.Variables.Entries().size(), 3u);
  EXPECT_EQ(loaded.Dictionary.Variables.Get("Total").Str(), "Orders.\"Amount\"");
  EXPECT_EQ(loaded.Dictionary.FieldAliases.Get("Orders.\"Secret\"").Str(), "");
  EXPECT_EQ(loaded.Dictionary.BandDataSources.Get("vlDataSet1").Str(), "Customers");

  // Saving what was loaded writes the same bytes again.
  loaded.ReportLastChange = original.ReportLastChange;
  std::string again = Save(loaded);
  ASSERT_EQ(again.size(), bytes.size());
  EXPECT_EQ(again.substr(0, again.size() - 8), bytes.substr(0, bytes.size() - 8));
}

TEST_F(TemplateTest, FrameWidthsSurviveAndStoredValuesDecode) {
  const struct { float width; std::int32_t stored; } cases[] = {
      {0, 0}, {1, 1}, {10, 10}, {0.5f, 500}, {1.5f, 1500}, {10.5f, 10500}, {12, 12000},
      {0.004f, 11},  // too thin for thousandths above 10: kept thin instead of becoming 4 pixels
  };
  for (const auto& c : cases) {
    TvlMemoView v;
    v.FrameWidth = c.width;
    TvlStreamWriter w;
    v.SaveToStream(w);
    std::int32_t stored;
    std::memcpy(&stored, w.Bytes().data() + 3 + 2 + 20, 4);  // empty name, versions, 20 bytes to the width
    EXPECT_EQ(stored, c.stored) << c.width;
    TvlMemoView back;
    TvlStreamReader r(w.Bytes());
    back.LoadFromStream(r);
    if (c.stored > 10) EXPECT_FLOAT_EQ(back.FrameWidth, c.stored / 1000.0f) << c.width;
    else EXPECT_FLOAT_EQ(back.FrameWidth, c.width) << c.width;
  }
}

TEST_F(TemplateTest, OlderVersionsLoadWithDefaultsForWhatTheyLack) {
  const struct {
    int v;
    const char* pageName;
    std::int32_t bin;
    std::size_t pageScript;
    const char* memoName;
    bool visible;
    std::int32_t gapX;
    const char* tag;
    std::uint8_t bandAlign;
    std::int32_t charset;
    std::int32_t lineSpacing;
    std::uint16_t memoFlags;
    const char* child;
    std::uint8_t blobType;
  } cases[] = {
      {25, "Cover", 7, 1, "Addr", false, 4, "T", baCenter, 204, 3, flStretched, "C", btICO},
      {24, "Cover", 7, 1, "Addr", false, 4, "T", baCenter, 204, 3, flStretched, "C", btICO},
      {23, "Page1", 0xFFFF, 0, "Addr", false, 2, "", baNone, 204, 2, flStretched, "", btBMP},
      {22, "Page1", 0xFFFF, 0, "Memo1", true, 2, "", baNone, 1, 2, flStretched, "", btBMP},
      {21, "Page1", 0xFFFF, 0, "Memo1", true, 2, "", baNone, 1, 2, flStretched | flWordWrap, "", btBMP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    TvlReport r;
    Load(r, OldTemplate(c.v));
    ASSERT_EQ(r.LastLoadStatus, TvlLoadStatus::Loaded) << r.LastLoadMessage;
    EXPECT_EQ(vlState().StreamVersion, c.v);
    EXPECT_TRUE(r.SelectPrinterWhenLoaded);
    EXPECT_TRUE(r.TwoPassReport);
    EXPECT_EQ(r.PrinterName, "Virtual printer");
    ASSERT_EQ(r.Pages.Count(), 1);
    const TvlPage& p = *r.Pages[0];
    EXPECT_EQ(p.Name, c.pageName);
    EXPECT_EQ(p.PaperSize, 11);
    EXPECT_EQ(p.PaperWidth, 1480);
    EXPECT_EQ(p.Margins, (TvlRect{1, 2, 3, 4}));
    EXPECT_EQ(p.Bin, c.bin);
    EXPECT_TRUE(p.PrintToPrevPage);
    EXPECT_FALSE(p.UseMargins);
    EXPECT_EQ(p.Columns, 2);
    EXPECT_EQ(p.ColumnGap, 9);
    EXPECT_EQ(p.Script.size(), c.pageScript);
    EXPECT_EQ(p.BorderStyle, 3);
    EXPECT_EQ(p.Position, 4);
    ASSERT_EQ(p.Objects.size(), 3u);

    const auto& memo = dynamic_cast<const TvlMemoView&>(*p.Objects[0]);
    EXPECT_EQ(memo.Name, c.memoName);
    EXPECT_EQ(memo.Left + memo.Top + memo.Width + memo.Height, 100);
    EXPECT_EQ(memo.FrameTyp, vlftTop);
    EXPECT_FLOAT_EQ(memo.FrameWidth, 2);
    EXPECT_EQ(memo.FillColor, 0x445566u);
    EXPECT_EQ(memo.FormatText, "0.00");
    EXPECT_EQ(memo.Memo, (std::vector<std::string>{"Hello", "", "World"}));
    EXPECT_EQ(memo.Script.size(), c.v >= 23 ? 1u : 0u);
    EXPECT_EQ(memo.Visible, c.visible);
    EXPECT_EQ(memo.GapX, c.gapX);
    EXPECT_EQ(memo.Tag, c.tag);
    EXPECT_EQ(memo.BandAlign, c.bandAlign);
    EXPECT_EQ(memo.Flags, c.memoFlags);
    EXPECT_EQ(memo.Font.Name, "Arial");
    EXPECT_EQ(memo.Font.Size, 11);
    EXPECT_EQ(memo.Font.Style, fsBold);
    EXPECT_EQ(memo.Font.Charset, c.charset);
    EXPECT_EQ(memo.Alignment, vltaRight);
    EXPECT_EQ(memo.HighlightCondition, "1");
    EXPECT_EQ(memo.LineSpacing, c.lineSpacing);

    const auto& band = dynamic_cast<const TvlBandView&>(*p.Objects[1]);
    EXPECT_EQ(band.ChildBand, c.child);
    EXPECT_EQ(band.Master, c.v >= 24 ? "M" : "");
    EXPECT_EQ(band.Columns, c.v >= 24 ? 2 : 1);
    const auto& pic = dynamic_cast<const TvlPictureView&>(*p.Objects[2]);
    EXPECT_EQ(pic.Picture.Kind, gkBitmap);
    EXPECT_EQ(pic.Picture.Data, (std::vector<std::uint8_t>{'B', 'M', 6, 0}));
    EXPECT_EQ(pic.BlobType, c.blobType);
    if (c.v <= 22) {
      EXPECT_EQ(band.Name, "Band1");
      EXPECT_EQ(pic.Name, "Picture1");
    }

    EXPECT_EQ(r.Dictionary.Variables.NameAt(0), " Cat");
    EXPECT_EQ(r.ReportName, "n");
    EXPECT_EQ(r.ReportCreateDate, 40000);
  }
}

TEST_F(TemplateTest, FirstByteAtMostTwentyIsReadAsVersion21FromTheStart) {
  const std::string v21 = OldTemplate(21);
  ASSERT_EQ(v21[0], '\0');
  TvlReport r;
  Load(r, v21);
  EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Loaded);
  EXPECT_EQ(vlState().StreamVersion, 21);
}

TEST_F(TemplateTest, NewerVersionIsRefusedAndLeavesThePages) {
  TvlReport r;
  sample::Fill(r);
  std::string bytes = Save(r);
  bytes[0] = 26;
  Load(r, bytes);
  EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::NewerVersion);
  ASSERT_EQ(messages->Messages.size(), 1u);
  EXPECT_EQ(messages->Messages[0].Text, "Unsupported VLF format");
  EXPECT_EQ(messages->Messages[0].Caption, "Error");
  EXPECT_EQ(messages->Messages[0].Icon, TvlMsgIcon::Error);
  EXPECT_EQ(r.Pages.Count(), 2);
  EXPECT_EQ(r.Pages[0]->Objects.size(), 5u);
}

TEST_F(TemplateTest, MissingClassesAreNamedInOneMessageAndOtherObjectsStay) {
  const std::string bytes = WithRecords([](StreamBuilder& s) {
    for (const char* cls : {"TvlChartView", "TvlBarcodeView"}) {
      s.U8(otAddIn).Str(cls).U8(0);
      const std::size_t end = s.Placeholder();
      s.Raw("unknown add-in data");
      s.Patch(end);
    }
  });
  TvlReport r;
  Load(r, bytes);
  EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::MissingClasses);
  ASSERT_EQ(messages->Messages.size(), 1u);
  EXPECT_EQ(messages->Messages[0].Text,
            "Report contains the following non-plugged components:\rTvlChartView\rTvlBarcodeView\r"
            "You must include these components into your project.");
  EXPECT_EQ(messages->Messages[0].Caption, "Error");
  ASSERT_EQ(r.Pages.Count(), 1);
  ASSERT_EQ(r.Pages[0]->Objects.size(), 2u);
  EXPECT_EQ(r.Pages[0]->Objects[1]->Name, "After");
  EXPECT_EQ(r.ReportName, "");  // the information block is not read
}

TEST_F(TemplateTest, RecordsAreSkippedByTheirEndOffset) {
  const struct {
    const char* what;
    std::function<void(StreamBuilder&)> record;
  } cases[] = {
      {"type 7", [](StreamBuilder& s) {
         s.U8(7).U8(0);
         const std::size_t end = s.Placeholder();
         s.Raw(std::string(13, '\xFE'));
         s.Patch(end);
       }},
      {"page index beyond the pages", [](StreamBuilder& s) {
         s.U8(otMemo).U8(3);
         const std::size_t end = s.Placeholder();
         s.Raw(std::string(40, '\0'));
         s.Patch(end);
       }},
      {"view data cut short", [](StreamBuilder& s) {
         s.U8(otMemo).U8(0);
         const std::size_t end = s.Placeholder();
         s.Str("Cut").U8(2).U8(0).I32(1);
         s.Patch(end);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages->Messages.clear();
    TvlReport r;
    Load(r, WithRecords(c.record));
    EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Loaded);
    EXPECT_TRUE(messages->Messages.empty());
    const auto& objects = r.Pages[0]->Objects;
    ASSERT_GE(objects.size(), 2u);
    EXPECT_EQ(objects.front()->Name, "Before");
    EXPECT_EQ(objects.back()->Name, "After");
    EXPECT_EQ(r.ReportName, "x");
  }
}

TEST_F(TemplateTest, DamagedStreamsEndInOneMessageAndOneEmptyPage) {
  TvlReport original;
  sample::Fill(original);
  const std::string bytes = Save(original);
  // Every cut of a good template, and a record type above 10.
  for (std::size_t n = 1; n < bytes.size(); ++n) {
    messages->Messages.clear();
    TvlReport r;
    Load(r, bytes.substr(0, n));
    if (r.LastLoadStatus == TvlLoadStatus::Unsupported) {
      ASSERT_EQ(messages->Messages.size(), 1u) << n;
      EXPECT_EQ(messages->Messages[0].Text, "Unsupported VLF format");
      ASSERT_EQ(r.Pages.Count(), 1) << n;
      EXPECT_TRUE(r.Pages[0]->Objects.empty());
    } else {
      EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Loaded) << n;
    }
  }
  // A record type above 10, and end offsets that point back or past the end
  // (following one back would read the same records for ever).
  const std::function<void(StreamBuilder&)> bad[] = {
      [](StreamBuilder& s) { s.U8(11); },
      [](StreamBuilder& s) {
        const auto self = static_cast<std::int32_t>(s.Writer().Position());
        s.U8(otMemo).U8(0).I32(self);
      },
      [](StreamBuilder& s) { s.U8(otMemo).U8(0).I32(1 << 30); },
      [](StreamBuilder& s) { s.U8(otMemo).U8(9).I32(3); },
  };
  for (const auto& record : bad) {
    TvlReport r;
    Load(r, WithRecords(record));
    EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Unsupported);
    EXPECT_EQ(r.Pages.Count(), 1);
  }
}

TEST_F(TemplateTest, VirtualPrinterIsStoredAsTheByteOne) {
  TvlReport r;
  r.Pages.Add();
  const std::string bytes = Save(r);
  EXPECT_EQ(bytes.substr(5, 4), std::string("\x01\x00\x01\x00", 4));  // length 1, byte 1, byte 0
}

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/vl_template_XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

TEST_F(TemplateTest, FilesMissingEmptyAndSaved) {
  TempDir dir;
  TvlReport r;
  sample::Fill(r);
  EXPECT_FALSE(r.LoadFromFile(dir / "missing.vlf"));
  EXPECT_TRUE(messages->Messages.empty());
  EXPECT_EQ(r.FileName, "Untitled");

  std::ofstream(dir / "empty.vlf").close();
  EXPECT_TRUE(r.LoadFromFile(dir / "empty.vlf"));
  EXPECT_EQ(r.LastLoadStatus, TvlLoadStatus::Empty);
  EXPECT_EQ(r.FileName, dir / "empty.vlf");
  EXPECT_EQ(r.Pages.Count(), 2);                    // the pages stay
  EXPECT_EQ(r.Dictionary.Variables.Count(), 0);    // the dictionary is cleared

  r.SaveToFile(dir / "saved.vlf");
  TvlReport back;
  EXPECT_TRUE(back.LoadFromFile(dir / "saved.vlf"));
  EXPECT_EQ(back.LastLoadStatus, TvlLoadStatus::Loaded);
  EXPECT_EQ(back.Pages.Count(), 2);
  // A failed save reports the error and leaves no temporary file behind.
  std::filesystem::create_directory(dir / "folder");
  EXPECT_THROW(r.SaveToFile(dir / "folder"), TvlError);
  EXPECT_THROW(r.SaveToFile(dir / "no/such/folder.vlf"), TvlError);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir / "")) files += e.is_regular_file();
  EXPECT_EQ(files, 2);
}

TEST_F(TemplateTest, PasswordIsAskedOnlyForFiles) {
  TempDir dir;
  TvlReport r;
  sample::Fill(r);
  r.PasswordProtected = true;
  r.Password = "a\xFFZ";
  const std::string bytes = Save(r);
  // The password as its count and hexadecimal digits, after the seven texts.
  EXPECT_NE(bytes.find(std::string("\x06\x00" "61FF5A", 8)), std::string::npos);
  r.SaveToFile(dir / "locked.vlf");

  TvlReport memory;
  Load(memory, bytes);  // in memory: never asked
  EXPECT_TRUE(messages->Prompts.empty());
  EXPECT_EQ(memory.Password, "a\xFFZ");
  EXPECT_EQ(memory.Pages.Count(), 2);

  const struct { const char* answer; bool accepted; } cases[] = {
      {"a\xFFZ", true}, {"A\xFFZ", false}, {"", false},  // "" is Cancel
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    messages->Prompts.clear();
    messages->TextAnswers.assign(1, c.answer);
    if (!*c.answer) messages->TextAnswers.clear();
    TvlReport f;
    EXPECT_TRUE(f.LoadFromFile(dir / "locked.vlf"));
    ASSERT_EQ(messages->Prompts, std::vector<std::string>{"Password"});
    if (c.accepted) {
      EXPECT_EQ(f.FileName, dir / "locked.vlf");
      EXPECT_EQ(f.Pages.Count(), 2);
      EXPECT_EQ(f.ReportName, "Envelope");
    } else {
      EXPECT_EQ(f.LastLoadStatus, TvlLoadStatus::PasswordRefused);
      EXPECT_EQ(f.FileName, "Untitled");
      ASSERT_EQ(f.Pages.Count(), 1);
      EXPECT_TRUE(f.Pages[0]->Objects.empty());
      EXPECT_EQ(f.ReportName, "");
      EXPECT_FALSE(f.PasswordProtected);
      EXPECT_EQ(f.Dictionary.Variables.Count(), 3);  // the dictionary keeps what was read
    }
  }
}

TEST_F(TemplateTest, ReportFormEmbedsTheTemplateWhenAsked) {
  TvlReport r;
  sample::Fill(r);
  TvlStreamWriter off;
  r.WriteReportForm(off);
  EXPECT_EQ(off.Bytes(), std::string("\x19\0\0\0", 4));

  r.StoreInDFM = true;
  TvlStreamWriter on;
  r.WriteReportForm(on);
  TvlReport back;
  back.StoreInDFM = true;
  TvlStreamReader reader(on.Bytes());
  back.ReadReportForm(reader);
  EXPECT_EQ(back.Pages.Count(), 0);  // held until the whole description is read
  back.Loaded();
  EXPECT_EQ(back.Pages.Count(), 2);
  EXPECT_EQ(back.LastLoadStatus, TvlLoadStatus::Loaded);

  std::string bad = on.Bytes();
  bad[4] = '\x7F';  // a length beyond the bytes
  TvlStreamReader badReader(bad);
  EXPECT_THROW(back.ReadReportForm(badReader), TvlStreamError);
}

TEST_F(TemplateTest, FindObjectSearchesPagesInOrderIgnoringCase) {
  TvlReport r;
  sample::Fill(r);
  EXPECT_EQ(r.FindObject("ADDRESS"), r.Pages[0]->Objects[0].get());
  EXPECT_EQ(r.FindObject("prompt"), r.Pages[1]->Objects[0].get());
  EXPECT_EQ(r.FindObject("Nobody"), nullptr);
  TvlMemoView fresh;
  vlState().CurReport = &r;
  fresh.CreateUniqueName();
  EXPECT_EQ(fresh.Name, "Memo1");
  r.Pages[0]->Objects[0]->Name = "memo1";
  fresh.CreateUniqueName();
  EXPECT_EQ(fresh.Name, "Memo2");
}

}  // namespace
}  // namespace vl::testing

namespace vl::testing {
namespace {

TEST_F(TemplateTest, PrintingFormWritesThePrintedTextAndLeavesOutDesignFields) {
  TvlReport report;
  sample::Fill(report);
  for (const auto& view : report.Pages[0]->Objects) {
    SCOPED_TRACE(view->Name);
    view->PrintingForm = true;
    view->PrintedMemo = {"Dear Ann,", "line three"};
    TvlStreamWriter printed, design;
    view->SaveToStream(printed);
    view->PrintingForm = false;
    view->SaveToStream(design);
    EXPECT_LT(printed.Bytes().size(), design.Bytes().size());

    auto back = vlCreateView(view->Typ, "");
    back->PrintingForm = true;
    TvlStreamReader r(printed.Bytes());
    back->LoadFromStream(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(back->Name, view->Name);
    EXPECT_EQ(back->Memo, view->PrintedMemo);  // read back as the text to draw
    EXPECT_EQ(back->FrameColor, view->FrameColor);
    EXPECT_EQ(back->Tag, view->Tag);
    EXPECT_EQ(back->BandAlign, view->BandAlign);
    EXPECT_EQ(back->FormatText, "");  // design fields keep their defaults
    EXPECT_TRUE(back->Script.empty());
    EXPECT_TRUE(back->Visible);

    auto copy = vlCreateView(view->Typ, "");
    copy->Assign(*view);
    ExpectSameView(*view, *copy);
  }
}

}  // namespace
}  // namespace vl::testing
