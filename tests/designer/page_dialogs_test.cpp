// The page options dialog, the band type chooser and the band editors: what
// OK writes (millimetres, custom paper, the fall-backs), which band types a
// page still takes, and the data sources of data and cross data bands.

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QTabWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>

#include "designer/band_editor_forms.h"
#include "designer/band_types_form.h"
#include "controls/combo_edit.h"
#include "designer/dialogs_install.h"
#include "designer/page_options_dialog.h"
#include "engine/core/string_table.h"
#include "engine/data/components.h"
#include "engine/data/db_dataset.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"
#include "tests/designer/designer_fixture.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::WhenShown;

template <typename T>
T* Child(QWidget& dialog, const QString& name) {
  T* w = dialog.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

TvlView* AddBand(TvlPage& page, const std::string& name, int type) {
  auto band = std::make_unique<TvlBandView>();
  band->Name = name;
  band->FrameTyp = static_cast<std::uint16_t>(type);
  band->Width = 100;
  band->Height = 20;
  TvlView* raw = band.get();
  page.Objects.push_back(std::move(band));
  return raw;
}

TEST_F(DesignerTest, PageOptionsStoreCustomPaperAndMarginsInDesignPixels) {
  TvlPage& page = *Report.Pages.Add();
  struct Case {
    const char *Width, *Height, *Margin, *Gap;
    std::int32_t Code, PaperWidth;
    int Left, ColumnGap;
  };
  for (const Case& c : {Case{"210,5", "297", "10", "5", 256, 2105, 36, 18},
                        Case{"100.25", "150", "3,5", "0", 256, 1003, 13, 0},
                        Case{"abc", "297", "10", "5", 9, 2100, 36, 18}}) {    // bad size: A4
    TvlPgoptForm dialog(page, false);
    dialog.PaperList()->setCurrentIndex(vlPrinter().PaperIndex(kCustomPaper));
    EXPECT_TRUE(Child<QLineEdit>(dialog, "E1")->isEnabled());
    Child<QLineEdit>(dialog, "E1")->setText(QString::fromLatin1(c.Width));
    Child<QLineEdit>(dialog, "E2")->setText(QString::fromLatin1(c.Height));
    for (int i = 0; i < 4; ++i) Child<QLineEdit>(dialog, QStringLiteral("Margin%1").arg(i))->setText(c.Margin);
    Child<QLineEdit>(dialog, "E8")->setText(QString::fromLatin1(c.Gap));
    Child<QLineEdit>(dialog, "E7")->setText("2");
    ASSERT_TRUE(dialog.Apply()) << c.Width;
    EXPECT_EQ(page.PaperSize, c.Code) << c.Width;
    EXPECT_EQ(page.PaperWidth, c.PaperWidth) << c.Width;
    EXPECT_EQ(page.Margins, (TvlRect{c.Left, c.Left, c.Left, c.Left})) << c.Margin << " " << c.Gap;
    EXPECT_EQ(page.ColumnGap, c.ColumnGap) << c.Gap;
    EXPECT_EQ(page.Columns, 2);
  }
  // Shown again: the margins in millimetres, the custom size, the enabling.
  page.Margins = {36, 36, 36, 36};
  page.PaperSize = kCustomPaper;
  page.PaperWidth = 2105;
  page.PaperHeight = 2970;
  TvlPgoptForm again(page, true);
  EXPECT_EQ(Child<QLineEdit>(again, "Margin0")->text(), "10");
  EXPECT_EQ(Child<QLineEdit>(again, "E1")->text(), "210.5");
  EXPECT_TRUE(Child<QCheckBox>(again, "CB2")->isChecked()) << "unlimited height";
  again.PaperList()->setCurrentIndex(vlPrinter().PaperIndex(9));
  EXPECT_FALSE(Child<QLineEdit>(again, "E1")->isEnabled());
  EXPECT_EQ(again.Tabs()->count(), 4);

  // A column count that is no number stores nothing.
  const TvlRect before = page.Margins;
  Child<QLineEdit>(again, "Margin0")->setText("20");
  Child<QLineEdit>(again, "E7")->setText("two");
  EXPECT_FALSE(again.Apply());
  EXPECT_EQ(page.Margins, before);
  EXPECT_EQ(Messages.Messages.size(), 1u);
}

TEST_F(DesignerTest, PageOptionsNameABadMarginAndStoreNothing) {
  TvlPage& page = *Report.Pages.Add();
  page.Margins = {36, 36, 36, 36};
  page.ColumnGap = 18;
  struct Case {
    const char* Box;
    const char* Label;
  };
  for (const Case& c : {Case{"Margin0", "Left, mm"}, Case{"Margin2", "Right, mm"}, Case{"Margin3", "Bottom, mm"},
                        Case{"E8", "Column gap, mm"}}) {
    Messages.Messages.clear();
    TvlPgoptForm dialog(page, false);
    dialog.show();
    for (int i = 0; i < 4; ++i) Child<QLineEdit>(dialog, QStringLiteral("Margin%1").arg(i))->setText("5");
    Child<QLineEdit>(dialog, c.Box)->setText("abc");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << c.Box << ": the dialog stays open";
    EXPECT_EQ(page.Margins, (TvlRect{36, 36, 36, 36})) << c.Box << ": nothing is stored";
    EXPECT_EQ(page.ColumnGap, 18);
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Text, std::string(c.Label) + ": 'abc' is not a valid number");
    EXPECT_TRUE(Child<QLineEdit>(dialog, c.Box)->hasFocus() || !QApplication::focusWidget()) << c.Box;
  }
}

// Through the designer: OK changes the page's paper, the surface takes the
// new size and the report is modified; Cancel of Add page removes the page.
TEST_F(DesignerTest, PageOptionsChangeThePaperAndThePageRedraws) {
  vlInstallDesignerDialogs();
  Open();
  TvlPage& page = *Report.Pages[0];
  const int portraitWidth = form->Surface()->width();
  WhenShown<TvlPgoptForm>([](TvlPgoptForm& d) {
    d.findChild<QRadioButton*>("RB2")->setChecked(true);
    d.accept();
  });
  form->OpenPageOptions();
  EXPECT_EQ(page.Orientation, 1);
  EXPECT_GT(page.PaperMetrics.PaperWidthU, page.PaperMetrics.PaperHeightU);
  EXPECT_GT(form->Surface()->width(), portraitWidth);
  EXPECT_TRUE(form->GetModified());

  WhenShown<TvlPgoptForm>([](TvlPgoptForm& d) { d.reject(); });
  form->AddPage();
  EXPECT_EQ(Report.Pages.Count(), 1);
}

TEST_F(DesignerTest, BandTypesOfferWhatThePageStillTakes) {
  TvlPage& page = *Report.Pages.Add();
  AddBand(page, "PageHeader1", btPageHeader);
  {
    TvlBandTypesForm dialog(&page, false);
    EXPECT_FALSE(dialog.Buttons()->button(btPageHeader)->isEnabled());
    EXPECT_TRUE(dialog.Buttons()->button(btReportTitle)->isEnabled());
    EXPECT_EQ(dialog.BandType(), btReportTitle);
    // Two columns of eleven, the second past the widest caption.
    const int widest = dialog.Buttons()->button(0)->width();
    EXPECT_EQ(dialog.Buttons()->button(11)->geometry().topLeft(), QPoint(widest + 62, 20));
    EXPECT_EQ(dialog.Buttons()->button(10)->geometry().topLeft(), QPoint(12, 220));
    EXPECT_EQ(dialog.Box()->width(), 2 * (widest + 20) + 54);
  }
  AddBand(page, "Title", btReportTitle);
  TvlBandTypesForm target(&page, true);
  std::vector<int> disabled;
  for (int t = 0; t <= btChild; ++t)
    if (!target.Buttons()->button(t)->isEnabled()) disabled.push_back(t);
  EXPECT_EQ(disabled, (std::vector<int>{0, 1, 2, 3, 14, 15, 16, 17}));
  EXPECT_EQ(target.BandType(), btMasterHeader);
}

// Datasets of the report: Orders shown under an alias, Customers by name.
class BandEditorTest : public DesignerTest {
 protected:
  BandEditorTest() {
    Report.Owner = &owner;
    owner.Add<TvlDBDataSet>("OrdersData");
    owner.Add<TvlDBDataSet>("Customers");
    Report.Dictionary.BandDataSources.Set("OrdersData", TvlValue(std::string("Orders list")));
    Report.Dictionary.BandDataSources.Set("Customers", TvlValue(std::string("Customers")));
  }
  ~BandEditorTest() override { Report.Owner = nullptr; }
  TvlForm owner{"FormMain"};
};

TEST_F(BandEditorTest, DataBandSourceIsADatasetOrARecordCount) {
  {
    TvlBandEditorForm dialog(Report, "5");
    EXPECT_EQ(dialog.List()->currentItem()->text(), "Virtual Dataset");
    EXPECT_EQ(dialog.Count()->text(), "5");
    EXPECT_TRUE(dialog.Count()->isEnabled());
    dialog.Count()->setText("12");
    EXPECT_EQ(dialog.Source(), "12");
  }
  TvlBandEditorForm dialog(Report, "ordersdata");
  EXPECT_EQ(dialog.List()->currentItem()->text(), "Orders list") << "shown by its alias";
  EXPECT_FALSE(dialog.Count()->isEnabled());
  EXPECT_EQ(dialog.Source(), "OrdersData");
  dialog.List()->setCurrentRow(0);
  EXPECT_EQ(dialog.Source(), "") << "[None] is no dataset";
  TvlBandEditorForm unknown(Report, "Gone");
  EXPECT_EQ(unknown.List()->currentRow(), 0);
}

TEST(CrossBandValue, ReadsTheEntryOfTheBand) {
  struct Case {
    const char *Source, *Band, *Value;
  };
  for (const Case& c : {Case{"Band1=Customers;", "Band1", "Customers"}, Case{"Band1=Customers;", "Band2", "0"},
                        Case{"band2=5;Band1=Customers", "BAND1", "Customers"}, Case{"Customers", "Band2", "Customers"},
                        Case{"XBand1=3;", "Band1", "0"}, Case{"", "Band1", ""}})
    EXPECT_EQ(vlCrossBandValue(c.Source, c.Band), c.Value) << c.Source << " " << c.Band;
}

TEST_F(BandEditorTest, CrossBandSourcesOnePerHorizontalBand) {
  TvlPage& page = *Report.Pages.Add();
  AddBand(page, "PageHeader1", btPageHeader);
  AddBand(page, "Band1", btMasterData);
  AddBand(page, "Band2", btDetailData);
  TvlView* cross = AddBand(page, "Cross1", btCrossData);
  cross->FormatText = "Band1=Customers;";
  TvlVBandEditorForm dialog(Report, page, cross->FormatText);
  ASSERT_EQ(dialog.Bands()->count(), 2);
  EXPECT_EQ(dialog.Bands()->item(0)->text().toStdString(), "Band1: " + vlLoadStr(str::kFirstBandName + btMasterData));
  EXPECT_EQ(dialog.Combo()->currentText(), "Customers");
  dialog.Bands()->setCurrentRow(1);
  EXPECT_EQ(dialog.Combo()->currentText(), "[None]");
  EXPECT_EQ(dialog.Source(), "Band1=Customers;Band2=;");
  dialog.Combo()->setCurrentIndex(1);
  dialog.Count()->setText("3");
  emit dialog.Count()->editingFinished();
  dialog.Bands()->setCurrentRow(0);
  EXPECT_EQ(dialog.Source(), "Band1=Customers;Band2=3;");
}

// Installed, the band editor writes the data source after one undo step; a
// cross band with no horizontal band opens nothing.
TEST_F(BandEditorTest, BandEditorWritesTheSourceAfterAnUndoStep) {
  vlInstallDesignerDialogs();
  Open();
  TvlView* band = AddBand(*Report.Pages[0], "MasterData1", btMasterData);
  form->SetCurrentPage(0);
  band->Selected = 1;  // double-clicked
  WhenShown<TvlBandEditorForm>([](TvlBandEditorForm& d) {
    d.List()->setCurrentRow(1);
    d.Count()->setText("5");
    d.accept();
  });
  EXPECT_TRUE(vlDesignerDialogs().BandEditor(form.get(), *band));
  EXPECT_EQ(band->FormatText, "5");
  EXPECT_FALSE(form->UndoBuffers.UndoSteps.Empty());

  // The group condition: the field button replaces the text when it brings one.
  TvlView* group = AddBand(*Report.Pages[0], "GroupHeader1", btGroupHeader);
  group->FormatText = "[Old]";
  vlDesignerDialogs().BuildExpression = [](QWidget*, std::string& e) {
    e = "Orders.Item";
    return true;
  };
  WhenShown<TvlGroupEditorForm>([](TvlGroupEditorForm& d) {
    EXPECT_EQ(d.Condition(), "[Old]");
    d.Edit()->OnButtonClick();
    d.accept();
  });
  EXPECT_TRUE(vlDesignerDialogs().BandEditor(form.get(), *group));
  EXPECT_EQ(group->FormatText, "[Orders.Item]");

  TvlPage& other = *Report.Pages.Add();
  TvlView* lonely = AddBand(other, "Cross1", btCrossData);
  form->SetCurrentPage(1);
  EXPECT_FALSE(vlDesignerDialogs().BandEditor(form.get(), *lonely));
}

}  // namespace
}  // namespace vl
