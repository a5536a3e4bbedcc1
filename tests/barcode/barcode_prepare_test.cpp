// The envelope with barcodes prepared for every record of an address list:
// the template goes through its file, page formation prints one envelope
// per record, and each prepared page carries the codes of its address.

#include <gtest/gtest.h>

#include "engine/addins/barcode/barcode_problems.h"
#include "engine/data/envelope_check.h"
#include "engine/model/stream_writer.h"
#include "tests/barcode/barcode_fixture.h"
#include "tests/formation/formation_fixture.h"

namespace vl {
namespace {

class BarCodePrepare : public testing::FormationTest {
 protected:
  void SetUp() override {
    FormationTest::SetUp();
    test::EnsureGuiApplication();
    registered_ = vlAddIns().Find(kBarCodeClassName) != nullptr;
    if (!registered_) vlAddIns().Register({kBarCodeClassName, [] { return std::make_unique<TvlBarCodeView>(); }, {}});
  }
  void TearDown() override {
    FormationTest::TearDown();
    if (!registered_) vlAddIns().Unregister(kBarCodeClassName);
  }
  // The views of prepared page i, as the preview reads them.
  std::vector<std::unique_ptr<TvlView>> Prepared(int i) {
    std::vector<std::unique_ptr<TvlView>> out;
    TvlStreamReader r(report.EMFPages[i].Stream.Bytes(), true);
    r.ReadByte();
    while (!r.AtEnd()) out.push_back(vlReadPrintedView(r));
    return out;
  }
  // The envelope template merged over three addresses, as read from its
  // file; the last address's Zip has four digits, which Intelligent Mail
  // cannot route.
  void LoadMerge() {
    {
      TvlStreamWriter w;
      test::BarCodeEnvelope()->SaveToStream(w);
      TvlStreamReader r(w.Bytes());
      report.LoadFromStream(r);
    }
    ASSERT_EQ(report.LastLoadStatus, TvlLoadStatus::Loaded);
    Csv("People",
        "Name,Street,Zip,Plus4,City\n"
        "Ann Smith,1 Main Street,20500,0003,Washington\n"
        "Bo Li,88 Harbour Road,98101,1234,Seattle\n"
        "Cy Young,5 Elm Court,1234,0000,Nowhere\n");
    for (const char* field : {"Name", "Street", "Zip", "Plus4", "City"})
      report.Dictionary.Variables.Set(field, std::string("People.\"") + field + "\"");
    report.Dataset = static_cast<TvlDataset*>(form.FindComponent("People"));
    report.ReportType = rtMultiple;
  }
  bool registered_ = false;
};

TvlBarCodeView* Find(const std::vector<std::unique_ptr<TvlView>>& views, const std::string& name) {
  for (const auto& v : views)
    if (v->Name == name) return dynamic_cast<TvlBarCodeView*>(v.get());
  return nullptr;
}

TEST_F(BarCodePrepare, EveryEnvelopeOfTheMergeCarriesTheCodesOfItsAddress) {
  LoadMerge();
  if (HasFatalFailure()) return;

  // The last address's Zip has four digits, which Intelligent Mail cannot
  // route: its envelope shows an error box and preparation still succeeds.
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 3);
  const bool zbar = test::HaveZbarimg();
  if (!zbar) std::fprintf(stderr, "zbarimg is not installed (package zbar-tools): codes are not decoded\n");
  const char* qr[] = {"Ann Smith\r\n1 Main Street\r\n20500 Washington", "Bo Li\r\n88 Harbour Road\r\n98101 Seattle",
                      "Cy Young\r\n5 Elm Court\r\n1234 Nowhere"};
  const char* post[] = {"20500-0003", "98101-1234", "1234-0000"};
  const char* zip[] = {"20500", "98101", "1234"};
  for (int i = 0; i < 3; ++i) {
    const auto views = Prepared(i);
    TvlBarCodeView* addressQr = Find(views, "AddressQR");
    TvlBarCodeView* postCode = Find(views, "PostCode");
    TvlBarCodeView* routing = Find(views, "Routing");
    ASSERT_TRUE(addressQr && postCode && routing) << i;
    EXPECT_EQ(addressQr->Code, qr[i]);
    EXPECT_EQ(postCode->Code, post[i]);
    EXPECT_EQ(routing->Code, std::string("01234567094987654321-") + zip[i]);
    if (!zbar) continue;
    for (TvlBarCodeView* v : {addressQr, postCode}) {
      const auto read = test::ZbarDecode(vlRenderViewsToImage({v}, 600, 360, 200), "prepared_" + v->Name);
      ASSERT_TRUE(read) << i << " " << v->Name;
      std::string got = *read, expected = v->Code;
      std::erase(got, '\r');
      std::erase(expected, '\r');
      EXPECT_EQ(got, expected);
    }
  }
}

TEST_F(BarCodePrepare, EachPreparedEnvelopeSaysWhichOfItsCodesCouldNotBeMade) {
  LoadMerge();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    TvlPage* prepared = report.EMFPages.Expand(i);
    ASSERT_TRUE(prepared) << i;
    const std::vector<TvlBarCodeProblem> problems = vlBarCodeProblems(*prepared);
    if (i < 2) {
      EXPECT_TRUE(problems.empty()) << i << ": " << (problems.empty() ? "" : problems[0].Message);
      continue;
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].View, "Routing");
    EXPECT_EQ(problems[0].Message.rfind("Intelligent Mail: ", 0), 0u) << problems[0].Message;
  }
}

// The batch check of the prepared pages reports the same code by page and
// view, so that vlreport says so and --strict refuses the batch.
TEST_F(BarCodePrepare, TheBatchCheckNamesThePageAndTheCodeThatCannotBeMade) {
  LoadMerge();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  const std::vector<TvlEnvelopeProblem> problems = vlCheckPreparedValues(report);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Page, 3);
  EXPECT_EQ(vlEnvelopeProblemLine(problems[0]).rfind("Page 3: Routing: Intelligent Mail: ", 0), 0u)
      << vlEnvelopeProblemLine(problems[0]);
}

}  // namespace
}  // namespace vl
