// Label sheets: the shipped catalogue read with its checks, every sheet's
// labels where the sheet has them, a partly used sheet, a whole sheet of
// the sender, the outline that never reaches paper, and the check of each
// address on its own label.

#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/addins/barcode/barcode_addin.h"
#include "engine/core/error.h"
#include "engine/data/address_binding.h"
#include "engine/data/envelope_record.h"
#include "engine/labels/label_check.h"
#include "engine/labels/label_template.h"
#include "engine/labels/leading_blanks.h"
#include "engine/labels/sheet_catalogue.h"
#include "platform/memory_settings_store.h"
#include "platform/recording_canvas.h"
#include "tests/formation/formation_fixture.h"

namespace vl::testing {
namespace {

std::vector<TvlLabelSheet> ShippedSheets() {
  return vlLoadSheetCatalogue(std::string(VL_SOURCE_DIR) + "/app/data/labels/sheets.txt");
}

class Labels : public FormationTest {
 protected:
  void SetUp() override {
    FormationTest::SetUp();
    vlRegisterBarCodeView();
  }
  // A list of names N1..Nn with an address and a postcode each.
  TvlDBDataSet& List(int n, const std::string& longAddressAt = {}) {
    std::string csv = "Name,Address,Postcode\n";
    for (int k = 1; k <= n; ++k) {
      const std::string name = "N" + std::to_string(k);
      const std::string address = name == longAddressAt ? std::string(600, 'x') : "Street " + std::to_string(k);
      csv += name + "," + address + ",1000" + std::to_string(k % 10) + "\n";
    }
    return Csv(kAddressDataset, csv);
  }
  std::unique_ptr<TvlAddressBinding> Bind(TvlDBDataSet& list) {
    TvlDataSource& source = *list.GetDataSet();
    source.Open();
    return std::make_unique<TvlAddressBinding>(report, list, vlMatchAddressColumns(source.FieldNames()), false);
  }
  std::vector<Printed> Named(int pageIndex, const std::string& name) {
    std::vector<Printed> out;
    for (const Printed& p : PageViews(pageIndex))
      if (p.Name == name) out.push_back(p);
    return out;
  }
};

TvlLabelSheet Sheet(const std::string& fields) {
  TvlLabelSheet s;
  s.Name = "Mine";
  EXPECT_EQ(vlReadSheetFields(fields, s), "") << fields;
  return s;
}

TEST_F(Labels, EveryCataloguedSheetPutsItsFirstAndLastLabelWhereTheSheetHasThem) {
  const std::vector<TvlLabelSheet> sheets = ShippedSheets();
  ASSERT_GE(sheets.size(), 15u);
  const double u = vlPageUnitsPerMm();
  for (const TvlLabelSheet& sheet : sheets) {
    vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Recipient);
    auto& all = form.Add<TvlUserDataset>(kAddressDataset);
    all.RangeEnd = reCount;
    all.RangeEndCount = sheet.Labels();
    ASSERT_TRUE(report.Prepare()) << sheet.Name << ": " << vlState().ErrorText;
    ASSERT_EQ(report.EMFPages.Count(), 1) << sheet.Name;
    const std::vector<Printed> outlines = Named(0, kLabelOutlineName);
    ASSERT_EQ(static_cast<int>(outlines.size()), sheet.Labels()) << sheet.Name;
    // The engine places in whole page units (0.28 mm): each label within
    // half a unit of where the sheet has it, plus the steps' rounding
    // spread evenly over the sheet.
    const TvlLabelGrid grid = vlLabelGrid(sheet);
    const double driftX = (sheet.Columns - 1) * std::fabs(sheet.PitchX * u - grid.StepX) / 2 / u;
    const double driftY = (sheet.Rows - 1) * std::fabs(sheet.PitchY * u - grid.StepY) / 2 / u;
    for (int index : {0, sheet.Labels() - 1}) {
      const TvlMmRect want = vlLabelRect(sheet, index);
      const Printed& got = outlines[static_cast<std::size_t>(index)];
      const double toleranceX = 0.5 / u + driftX + 0.01, toleranceY = 0.5 / u + driftY + 0.01;
      EXPECT_NEAR(got.Left / u, want.Left, toleranceX) << sheet.Name << " label " << index + 1;
      EXPECT_NEAR(got.Top / u, want.Top, toleranceY) << sheet.Name << " label " << index + 1;
      EXPECT_NEAR(got.Width / u, want.Width, 0.5 / u + 0.01) << sheet.Name;
      EXPECT_NEAR(got.Height / u, want.Height, 0.5 / u + 0.01) << sheet.Name;
      // However the rounding falls, no label is a millimetre off.
      EXPECT_LT(std::fabs(got.Left / u - want.Left), 1.0) << sheet.Name << " label " << index + 1;
      EXPECT_LT(std::fabs(got.Top / u - want.Top), 1.0) << sheet.Name << " label " << index + 1;
    }
    form.DestroyComponent(form.FindComponent(kAddressDataset));
  }
}

TEST_F(Labels, APartlyUsedSheetStartsAtTheGivenLabelAndTheListGoesOnInOrder) {
  const TvlLabelSheet sheet = Sheet("A4 | 63.5 | 33.9 | 3 | 8 | 12.9 | 7.25 | 66.04 | 33.9 | 2");
  vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Recipient);
  TvlDBDataSet& list = List(30);
  const auto binding = Bind(list);
  {
    TvlLeadingBlanks blanks(list, 2);
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  }
  ASSERT_EQ(report.EMFPages.Count(), 2);
  std::vector<std::string> names;
  std::vector<int> perPage;
  for (int p = 0; p < 2; ++p) {
    int printed = 0;
    for (const Printed& v : Named(p, "RecipientName1"))
      if (!v.Text.empty()) names.push_back(v.Text), ++printed;
    perPage.push_back(printed);
  }
  EXPECT_EQ(perPage, (std::vector<int>{22, 8}));
  std::vector<std::string> inOrder;
  for (int k = 1; k <= 30; ++k) inOrder.push_back("N" + std::to_string(k));
  EXPECT_EQ(names, inOrder);
  // The first address on label 3: column 3 of row 1.
  const TvlAddressShare third = vlLabelShare(sheet, 3, 1);
  const TvlLabelGrid grid = vlLabelGrid(sheet);
  EXPECT_EQ(third.Area.Left, grid.Left + 2 * grid.StepX);
  EXPECT_EQ(third.Area.Top, grid.Top);
  for (const Printed& v : Named(0, "RecipientName1"))
    if (v.Text == "N1") {
      EXPECT_GE(v.Left, third.Area.Left);
      EXPECT_LT(v.Left, third.Area.Right);
      EXPECT_GE(v.Top, third.Area.Top);
      EXPECT_LT(v.Top, third.Area.Bottom);
    }
  // The list is whole again once the blanks are gone.
  EXPECT_EQ(list.GetDataSet()->Name(), std::string(kAddressDataset) + "Source");
}

TEST_F(Labels, AReturnAddressSheetFillsEveryLabel) {
  const TvlLabelSheet sheet = Sheet("A4 | 38.1 | 21.2 | 5 | 13 | 10.7 | 4.75 | 40.6 | 21.2 | 1.5");
  vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Return);
  TvlEnvelopeValues sender;
  sender[efSenderAddress] = "1 Sender Road";
  sender[efSenderPostcode] = "200000";
  TvlEnvelopeRecord record(form, report, sender, sheet.Labels());
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 1);
  const std::vector<Printed> addresses = Named(0, "SenderAddress1");
  ASSERT_EQ(addresses.size(), 65u);
  for (const Printed& a : addresses) EXPECT_EQ(a.Text, "1 Sender Road");
  EXPECT_EQ(Named(0, "SenderPostcode1").back().Text, "200000");
}

TEST_F(Labels, TheOutlineShowsOnScreenButNeverOnPaper) {
  const TvlLabelSheet sheet = Sheet("A4 | 99.1 | 38.1 | 2 | 7 | 15.15 | 4.65 | 101.6 | 38.1 | 2.5");
  vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Recipient);
  TvlDBDataSet& list = List(2);
  const auto binding = Bind(list);
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  // The outline's dashes drawn, as lines after its grey pen, on a page rect
  // of the given width (A4 proportions): a zoomed-out preview draws at less
  // than half size.
  auto outlineLines = [&](TvlSurfaceKind kind, std::int32_t width) {
    TvlRecordingCanvas canvas({width, width * 3 / 2});
    canvas.SetKind(kind);
    report.EMFPages[0].Visible = true;
    report.EMFPages.Draw(0, canvas, {0, 0, width, width * 297 / 210});
    int lines = 0;
    bool grey = false;
    for (const TvlCanvasOp& op : canvas.Ops()) {
      if (op.Kind == TvlOpKind::Pen) grey = op.Pen.Color == vlRGB(150, 150, 150);
      lines += grey && op.Kind == TvlOpKind::Line;
    }
    return lines;
  };
  EXPECT_GT(outlineLines(TvlSurfaceKind::Screen, 2000), 0);
  EXPECT_GT(outlineLines(TvlSurfaceKind::Screen, 300), 0);
  EXPECT_EQ(outlineLines(TvlSurfaceKind::Printer, 2000), 0);
}

TEST_F(Labels, EachAddressIsCheckedOnItsOwnLabel) {
  const TvlLabelSheet sheet = Sheet("A4 | 63.5 | 38.1 | 3 | 7 | 15.15 | 7.25 | 66.04 | 38.1 | 2.5");
  vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Recipient);
  TvlDBDataSet& list = List(25, "N23");
  const auto binding = Bind(list);
  std::vector<TvlEnvelopeProblem> problems;
  {
    TvlLeadingBlanks blanks(list, 4);
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    problems = vlCheckLabels(report, *binding, sheet, 5, 4);
  }
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Row, 23);
  EXPECT_EQ(problems[0].Name, "N23");
  EXPECT_EQ(problems[0].Problem, "The address does not fit its box");
}

TEST(LabelSheets, SheetsThatCannotPrintAreRefusedWithWhatIsWrong) {
  struct Case {
    const char* fields;
    const char* problem;  // a part of the message
  };
  const Case cases[] = {
      {"A4 | 70 | 37 | 4 | 8 | 0 | 0 | 70 | 37 | 0", "overflow the paper's right edge by 70 mm"},
      {"A4 | 70 | 37 | 3 | 9 | 0.5 | 0 | 70 | 37 | 0", "overflow the paper's bottom edge by 36.5 mm"},
      {"Letter | 66.68 | 25.4 | 3 | 10 | 12.7 | 4.76 | 60 | 25.4 | 3", "overlap"},
      {"A4 | 99.1 | 38.1 | 2 | 7 | 260 | 4.65 | 101.6 | 38.1 | 2.5", "bottom edge"},
      {"B9 | 70 | 37 | 3 | 8 | 0 | 0 | 70 | 37 | 0", "Unknown paper"},
      {"A4 | 70 | 37 | 2.5 | 8 | 0 | 0 | 70 | 37 | 0", "whole number"},
      {"A4 | 70 | 37 | 3 | 8 | 0 | 0 | 70 | 37", "10 fields"},
      {"A4 | 70 | abc | 3 | 8 | 0 | 0 | 70 | 37 | 0", "label height \"abc\" is not a number"},
      {"A4 | 70 | 37 | 3 | 8 | -1 | 0 | 70 | 37 | 0", "cannot be negative"},
      {"A4 | 70 | 37 | 0 | 8 | 0 | 0 | 70 | 37 | 0", "columns must be from 1"},
      {"A4 | 70 | nan | 3 | 8 | 0 | 0 | 70 | 37 | 0", "not a number"},
  };
  TvlMemorySettingsStore settings;
  for (const Case& c : cases) {
    TvlLabelSheet sheet;
    sheet.Name = "Mine";
    const std::string read = vlReadSheetFields(c.fields, sheet);
    EXPECT_NE(read.find(c.problem), std::string::npos) << c.fields << " -> " << read;
    if (read.find("fields") == std::string::npos && read.find("number") == std::string::npos) {
      EXPECT_EQ(vlRememberUserSheet(settings, sheet), read) << c.fields;
      EXPECT_THROW(vlBuildLabelTemplate(*std::make_unique<TvlReport>(), sheet, TvlLabelLayout::Recipient), TvlError);
    }
  }
  EXPECT_TRUE(vlUserSheets(settings).empty());
  // A sheet that fits is kept and comes back whole.
  TvlLabelSheet mine;
  mine.Name = " Mine 3 x 8 ";
  ASSERT_EQ(vlReadSheetFields("A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0", mine), "");
  ASSERT_EQ(vlRememberUserSheet(settings, mine), "");
  const std::vector<TvlLabelSheet> kept = vlUserSheets(settings);
  ASSERT_EQ(kept.size(), 1u);
  mine.Name = "Mine 3 x 8";
  EXPECT_EQ(kept[0], mine);
}

TEST(LabelSheets, ACatalogueLineThatGivesNoSheetNamesItsLine) {
  const std::string good = "Good | A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0\n";
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"# sheets\n\n" + good + "Bad | A4 | 70 | 37 | 4 | 8 | 0 | 0 | 70 | 37 | 0\n", "list.txt, line 4: The labels overflow"},
      {good + "good | A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0\n", "line 2: the sheet \"good\" is listed twice"},
      {"No fields at all\n", "line 1: a sheet needs its name"},
      {" | A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0\n", "line 1: The sheet has no name"},
  };
  for (const Case& c : cases) {
    try {
      vlReadSheetCatalogue(c.text, "list.txt");
      ADD_FAILURE() << c.message;
    } catch (const TvlError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(vlReadSheetCatalogue(good + "\r\n", "list.txt").size(), 1u);
}

}  // namespace
}  // namespace vl::testing
