// "Insert DB fields": a CSV dataset's fields laid out as text views, with
// headers and bands, squeezed into the printable width, in one undo step.

#include <QCheckBox>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "controls/flat_combo_box.h"
#include "designer/chooser_list.h"
#include "designer/insert_fields_layout.h"
#include "designer/insert_fields_dialog.h"
#include "engine/core/string_table.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/model/page_limits.h"
#include "tests/designer/designer_fixture.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

class FieldLayoutTest : public DesignerTest {
 protected:
  FieldLayoutTest() {
    const std::string file = Path("Customers.csv");
    std::ofstream(file) << "Name,City,Zip,Phone\nAnn,Oslo,0150,555\n";
    Customers = &Owner.Add<TvlCsvDataSource>("Customers");
    Customers->FileName = file;
    Owner.Add<TvlDBDataSet>("CustomersData").SetDataSet(Customers);
    Report.Owner = &Owner;
  }

  TvlInsertFieldsChoice Choice(std::vector<bool> selected, bool horizontal, bool headers, bool bands) {
    TvlInsertFieldsChoice c;
    c.DataSet = Customers;
    c.DataSetText = "Customers";
    c.Fields = {"Name", "City", "Zip", "Phone"};
    c.Selected = std::move(selected);
    c.Horizontal = horizontal;
    c.Headers = headers;
    c.Bands = bands;
    return c;
  }
  // Seven pixels a character, eight in bold.
  static int Measure(const std::string&, int, bool bold, const std::string& text) {
    return static_cast<int>(text.size()) * (bold ? 8 : 7);
  }
  std::vector<TvlView*> Of(int typ) {
    std::vector<TvlView*> r;
    for (const auto& v : form->Page->Objects)
      if (v->Typ == typ) r.push_back(v.get());
    return r;
  }

  TvlForm Owner{"FormMain"};
  TvlCsvDataSource* Customers = nullptr;
};

TEST_F(FieldLayoutTest, TheToolLaysOutTheChosenFieldsOfACsvDataset) {
  Open();
  form->Options.GridSize = 8;
  test::WhenShown<TvlInsertFieldsForm>([](TvlInsertFieldsForm& d) {
    d.DatasetCB->setCurrentIndex(d.DatasetCB->findText(QStringLiteral("Customers")));
    d.FieldsL->selectAll();
    d.HeaderCB->setChecked(false);
    d.BandCB->setChecked(false);
    d.accept();
  });
  QAction* tool = form->Command("Tool." + vlLoadStr(55305));
  ASSERT_NE(tool, nullptr) << "the tool is offered once installed";
  tool->trigger();
  const std::vector<TvlView*> memos = Of(otMemo);
  ASSERT_EQ(memos.size(), 4u);
  const TvlPageLimits limits = vlPageLimits(*form->Page);
  const char* fields[] = {"Name", "City", "Zip", "Phone"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(memos[i]->Memo, std::vector<std::string>{std::string("[Customers.\"") + fields[i] + "\"]"});
    EXPECT_EQ(memos[i]->Top, limits.Top);
    EXPECT_TRUE(memos[i]->Selected);
    EXPECT_EQ(memos[i]->Width % 8, 0);
    if (i > 0) {
      EXPECT_EQ(memos[i]->Left, memos[i - 1]->Left + memos[i - 1]->Width + 8);
    }
  }
  EXPECT_EQ(memos[0]->Left, limits.Left);
  EXPECT_TRUE(Of(otBand).empty());
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u);
  form->Undo();
  EXPECT_TRUE(form->Page->Objects.empty()) << "one undo step takes the whole layout back";
}

TEST_F(FieldLayoutTest, HorizontalWithHeadersAndBands) {
  Open();
  form->Options.GridSize = 8;
  vlLayOutFields(*form, Choice({true, true, true, false}, true, true, true), Measure);
  const TvlPageLimits limits = vlPageLimits(*form->Page);
  const std::vector<TvlView*> memos = Of(otMemo);
  ASSERT_EQ(memos.size(), 6u);
  const char* names[] = {"Name", "City", "Zip"};
  const int headerWidths[] = {56, 56, 48};  // the name and three blanks, bold, down to the grid
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& header = static_cast<TvlMemoView&>(*memos[2 * i]);
    const auto& data = static_cast<TvlMemoView&>(*memos[2 * i + 1]);
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(header.Memo, std::vector<std::string>{names[i]});
    EXPECT_EQ(header.Font.Style, fsBold);
    EXPECT_EQ(header.Width, headerWidths[i]);
    EXPECT_EQ(header.Left, limits.Left + 48 * static_cast<int>(i));  // a grid step after each data column
    EXPECT_EQ(header.Top, limits.Top);
    EXPECT_EQ(data.Font.Style, 0);
    EXPECT_EQ(data.Left, header.Left);
    EXPECT_EQ(data.Top, header.Top + 72);
    EXPECT_EQ(data.Width, 40);  // six characters of "=" (a width of 0 counts as 6), down to the grid
  }
  const std::vector<TvlView*> bands = Of(otBand);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0]->FrameTyp, btPageHeader);
  EXPECT_EQ(bands[0]->Top, limits.Top);
  EXPECT_EQ(bands[0]->Height, memos[4]->Top + memos[4]->Height - limits.Top);
  EXPECT_EQ(bands[1]->FrameTyp, btMasterData);
  EXPECT_EQ(bands[1]->Top, limits.Top + 72);
  EXPECT_EQ(bands[1]->Height, bands[0]->Height);
  EXPECT_EQ(bands[1]->FormatText, "CustomersData") << "bound to the dataset component over the source";
  EXPECT_TRUE(bands[0]->Selected && bands[1]->Selected);

  // A page that has a page header gets only the master data band.
  form->ClearSelection();
  vlLayOutFields(*form, Choice({true, false, false, false}, true, true, true), Measure);
  int pageHeaders = 0;
  for (TvlView* b : Of(otBand)) pageHeaders += b->FrameTyp == btPageHeader;
  EXPECT_EQ(pageHeaders, 1);
  EXPECT_EQ(Of(otBand).size(), 3u);
}

TEST_F(FieldLayoutTest, AWideRowIsSqueezedAndNothingHappensWithoutAField) {
  Report.Pages.Add();
  Report.Pages[0]->Margins = {10, 10, 0, 10};
  Open();
  form->Options.GridSize = 8;
  const TvlPageLimits limits = vlPageLimits(*form->Page);
  ASSERT_EQ(limits.Left, 10);
  vlLayOutFields(*form, Choice({false, false, false, false}, true, false, true), Measure);
  EXPECT_TRUE(form->Page->Objects.empty());
  EXPECT_TRUE(form->UndoBuffers.UndoSteps.Empty());

  // Make the printable width 100 so that four 40-pixel columns do not fit.
  form->Page->Margins.Right = form->Page->PaperMetrics.PaperWidthU - 110;
  vlLayOutFields(*form, Choice({true, true, true, true}, true, false, false), Measure);
  const std::vector<TvlView*> memos = Of(otMemo);
  ASSERT_EQ(memos.size(), 4u);
  // Before: lefts 10, 58, 106, 154, widths 40; k = 194 / 100.
  const double k = 1.94;
  const int lefts[] = {10, 58, 106, 154};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(memos[i]->Left, 10 + static_cast<int>(std::lrint((lefts[i] - 10) / k))) << i;
    EXPECT_EQ(memos[i]->Width, static_cast<int>(std::lrint(40 / k))) << i;
  }
}

}  // namespace
}  // namespace vl
