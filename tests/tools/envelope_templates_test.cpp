// The six shipped envelope templates: each is a real envelope on its paper,
// and the committed files are what the generator writes today.

#include <gtest/gtest.h>

#include <string>

#include "engine/data/address_fields.h"
#include "engine/model/report.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"
#include "tools/envelope_layouts.h"

namespace vl {
namespace {

// The save date: the last 8 bytes of a template.
constexpr std::size_t kSaveDateSize = 8;

std::string CommittedTemplate(int n) {
  std::string bytes;
  EXPECT_TRUE(vlReadFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/" + std::to_string(n) + ".vlf", bytes));
  return bytes;
}

std::string Generated(int n) {
  TvlReport report;
  vlBuildEnvelope(n, report);
  TvlStreamWriter w;
  report.SaveToStream(w);
  return w.TakeBytes();
}

TEST(EnvelopeTemplates, CommittedFilesAreWhatTheGeneratorWritesButTheSaveDate) {
  for (int n = 1; n <= kEnvelopeCount; ++n) {
    SCOPED_TRACE(n);
    const std::string committed = CommittedTemplate(n), generated = Generated(n);
    ASSERT_EQ(committed.size(), generated.size());
    ASSERT_GT(committed.size(), kSaveDateSize);
    const std::size_t stable = committed.size() - kSaveDateSize;
    EXPECT_EQ(committed.substr(0, stable), generated.substr(0, stable));
  }
}

TEST(EnvelopeTemplates, EachIsAnEnvelopeOnItsOwnPaper) {
  struct Paper {
    std::int32_t Code, Width, Height;  // tenths of a millimetre, as laid out (long side across)
    bool Chinese;
  };
  const Paper papers[kEnvelopeCount] = {{27, 2200, 1100, true}, {256, 2300, 1200, true}, {28, 2290, 1620, true},
                                        {30, 3240, 2290, true}, {31, 1620, 1140, true},  {20, 2413, 1048, false}};
  for (int n = 1; n <= kEnvelopeCount; ++n) {
    SCOPED_TRACE(n);
    TvlReport report;
    vlBuildEnvelope(n, report);
    ASSERT_EQ(report.Pages.Count(), 1);
    const TvlPage& page = *report.Pages[0];
    const Paper& want = papers[n - 1];
    EXPECT_EQ(page.PaperSize, want.Code);
    EXPECT_EQ(page.PaperWidth, want.Width);
    EXPECT_EQ(page.PaperHeight, want.Height);
    EXPECT_EQ(report.ReportName, vlEnvelopeName(n));

    // The parts every envelope has, by name and kind.
    for (const char* name : {"PostCode", "SenderPostCode"})
      for (int i = 1; i <= 6; ++i) {
        const auto* box = dynamic_cast<const TvlMemoView*>(page.FindObject(name + std::to_string(i)));
        ASSERT_NE(box, nullptr) << name << i;
        EXPECT_EQ(box->FrameTyp, vlftLeft | vlftTop | vlftRight | vlftBottom);
      }
    // The envelope's fields: empty variables of the category "Envelope", printed on the rules and in the boxes.
    EXPECT_EQ(report.Dictionary.GetVariablesList(kEnvelopeCategory),
              (std::vector<std::string>{"RecipientName", "RecipientAddress", "RecipientPostcode", "SenderAddress",
                                        "SenderPostcode"}));
    for (int f = 0; f < kEnvelopeFieldCount; ++f)
      EXPECT_EQ(report.Dictionary.Variables.Get(vlEnvelopeVariable(f)).Str(), "");
    for (const char* field : {"RecipientName", "RecipientAddress", "SenderAddress"}) {
      const auto* text = dynamic_cast<const TvlMemoView*>(page.FindObject(field));
      ASSERT_NE(text, nullptr) << field;
      EXPECT_EQ(text->Memo, std::vector<std::string>{"[" + std::string(field) + "]"});
    }
    EXPECT_EQ(page.FindObject("PostCode3")->Memo, std::vector<std::string>{"[COPY(RecipientPostcode, 3, 1)]"});
    EXPECT_EQ(page.FindObject("SenderPostCode6")->Memo, std::vector<std::string>{"[COPY(SenderPostcode, 6, 1)]"});
    const auto* stamp = dynamic_cast<const TvlMemoView*>(page.FindObject("StampBox"));
    ASSERT_NE(stamp, nullptr);
    EXPECT_NE(stamp->FrameTyp, vlftNone);
    for (const char* line : {"RecipientAddressLine1", "RecipientAddressLine2", "RecipientNameLine", "SenderAddressLine"})
      EXPECT_NE(dynamic_cast<const TvlLineView*>(page.FindObject(line)), nullptr) << line;

    // Everything lies on the paper, and the Chinese envelopes say where the postcode goes.
    bool postcodeText = false;
    for (const auto& v : page.Objects) {
      EXPECT_GE(v->Left, 0) << v->Name;
      EXPECT_GE(v->Top, 0) << v->Name;
      EXPECT_LE(v->Left + v->Width, page.PaperMetrics.PaperWidthU) << v->Name;
      EXPECT_LE(v->Top + v->Height, page.PaperMetrics.PaperHeightU) << v->Name;
      for (const std::string& l : v->Memo) postcodeText |= l.find("邮政编码") != std::string::npos;
    }
    EXPECT_TRUE(postcodeText);
  }
}

}  // namespace
}  // namespace vl
