// The "DB fields" window and the insert-fields dialog, driven as a user drives them.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMimeData>
#include <QPointer>
#include <QRadioButton>
#include <memory>

#include "controls/flat_combo_box.h"
#include "controls/placement.h"
#include "designer/dict_form.h"
#include "designer/db_fields_window.h"
#include "designer/insert_fields_dialog.h"
#include "engine/core/text.h"
#include "engine/model/page.h"
#include "engine/model/views.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::ChooseRow;
using test::RunTool;
using test::DialogsTest;

// What the fields list hands a drag of its current row, as a drag starts it.
std::unique_ptr<QMimeData> DragOf(TvlChooserList* list) {
  return std::unique_ptr<QMimeData>(list->model()->mimeData({list->currentIndex()}));
}

// A field dragged from the window (dataset and field under their aliases)
// makes a text view whose text is the bracketed reference; prepared, the view
// prints the field of every record.
TEST_F(DialogsTest, AFieldDraggedFromTheWindowBecomesATextViewBoundToIt) {
  report.Dictionary.FieldAliases.Set("Orders", TvlValue(std::string("Sales")));
  report.Dictionary.FieldAliases.Set("Orders.\"Qty\"", TvlValue(std::string("Quantity")));
  QWidget designer;
  designer.show();
  TvlInsFieldsForm* window = TvlInsFieldsForm::Open(&designer, report);
  ASSERT_EQ(TvlInsFieldsForm::Instance(), window);
  EXPECT_EQ(window->DatasetsLB->Items(), std::vector<std::string>{"Sales"});  // aliased ones only
  ChooseRow(window->DatasetsLB, "Sales");
  EXPECT_EQ(window->FieldsLB->Items(), (std::vector<std::string>{"Quantity", "Item", "Price"}));
  ChooseRow(window->FieldsLB, "Quantity");
  const auto drag = DragOf(window->FieldsLB);
  std::string reference;
  ASSERT_TRUE(vlDraggedFieldReference(drag.get(), reference));
  EXPECT_EQ(reference, "Sales.\"Quantity\"");
  EXPECT_EQ(TvlInsFieldsForm::RememberedDataset(), "Sales");
  QMimeData plain;
  plain.setText("[Sales.\"Quantity\"]");
  EXPECT_FALSE(vlDraggedFieldReference(&plain, reference));  // only drags of the window count

  // The surface's drop: a text view holding "[" + reference + "]" on a data band.
  TvlPage* page = report.Pages.Add();
  auto band = std::make_unique<TvlBandView>();
  band->Name = "MasterData1";
  band->FrameTyp = btMasterData;
  band->Top = 40;
  band->Height = 20;
  band->FormatText = "Orders";
  page->Objects.push_back(std::move(band));
  auto memo = std::make_unique<TvlMemoView>();
  memo->Name = "Memo1";
  memo->Left = 20;
  memo->Top = 40;
  memo->Width = 80;
  memo->Height = 16;
  memo->Memo = {"[" + reference + "]"};
  page->Objects.push_back(std::move(memo));
  const std::string path = (dir / "dropped.vlf").string();
  report.SaveToFile(path);
  const std::string out = RunTool(std::string(VL_VLREPORT) + " prepare '" + path + "' --dataset 'Orders=" +
                                  (dir / "Orders.csv").string() + "' --json");
  std::string compact = out;
  std::erase_if(compact, [](char c) { return c == ' ' || c == '\n'; });
  const std::size_t first = compact.find("\"name\":\"Memo1\",\"left\":20,\"top\":18,\"width\":80,\"height\":16,"
                                         "\"text\":[\"3\"]");
  EXPECT_NE(first, std::string::npos) << out;
  EXPECT_NE(compact.find("\"text\":[\"1\"]", first), std::string::npos) << out;

  QPointer<TvlInsFieldsForm> alive(window);
  window->hide();  // hiding destroys it
  EXPECT_EQ(TvlInsFieldsForm::Instance(), nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
}

TEST_F(DialogsTest, TheWindowCollapsesExpandsAndFollowsTheDictionaryEditor) {
  settings.WriteString(vlPlacementRoot() + "\\Form\\TvlInsFieldsForm", "Height", "20");
  QWidget designer;
  designer.show();
  TvlInsFieldsForm* window = TvlInsFieldsForm::Open(&designer, report);
  int notified = 0;
  window->OnCollapse = [&notified] { ++notified; };
  // Restored below 30 pixels it opens collapsed and expands to 300.
  EXPECT_EQ(window->ExpandedHeight, 300);
  EXPECT_FALSE(window->DatasetsLB->isVisible());
  QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, window->CaptionRect().center());
  EXPECT_EQ(window->height(), 300);
  EXPECT_TRUE(window->DatasetsLB->isVisible());
  QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, window->CaptionRect().center());
  EXPECT_TRUE(window->Collapsed());
  EXPECT_EQ(notified, 2);
  TvlInsFieldsForm::Open(&designer, report);  // opening again expands the one window
  EXPECT_EQ(window->height(), 300);
  EXPECT_EQ(notified, 3);

  ChooseRow(window->DatasetsLB, "Orders");
  // Aliases given in the dictionary editor show at once, the dataset kept.
  test::WhenShown<TvlDictForm>([](TvlDictForm& editor) {
    editor.FieldAliases.Set("Customers", TvlValue(std::string("Clients")));
    editor.FieldAliases.Set("Orders", TvlValue(std::string()));
    test::ClickButton(&editor, "OkBtn");
  });
  ASSERT_TRUE(vlShowDictionaryEditor(&designer, report));
  EXPECT_EQ(window->DatasetsLB->Items(), (std::vector<std::string>{"Clients", "Orders"}));
  EXPECT_EQ(window->DatasetsLB->CurrentText(), "Orders");
  delete window;
}

TEST_F(DialogsTest, InsertFieldsHandsOverTheDatasetTheFieldsAndTheLayout) {
  report.Dictionary.FieldAliases.Set("Orders", TvlValue(std::string("Sales")));
  report.Dictionary.FieldAliases.Set("Orders.\"Item\"", TvlValue(std::string()));  // excluded
  report.Dictionary.FieldAliases.Set("Customers", TvlValue(std::string()));
  test::WhenShown<TvlInsertFieldsForm>([](TvlInsertFieldsForm& f) {
    EXPECT_EQ(vlFromQt(f.DatasetCB->currentText()), "Customers");  // sorted, the first chosen
    EXPECT_TRUE(f.HorzRB->isChecked());
    EXPECT_TRUE(f.HeaderCB->isChecked() && f.BandCB->isChecked());
    f.DatasetCB->setCurrentIndex(f.DatasetCB->findText("Sales"));
    EXPECT_EQ(f.FieldsL->Items(), (std::vector<std::string>{"Qty", "Price"}));
    f.FieldsL->item(1)->setSelected(true);
    QTest::mouseClick(f.VertRB, Qt::LeftButton);
    QTest::mouseClick(f.HeaderCB, Qt::LeftButton);
    test::ClickButton(&f, "OkBtn");
  });
  TvlInsertFieldsChoice choice;
  ASSERT_TRUE(vlChooseInsertFields(nullptr, report, choice));
  EXPECT_EQ(choice.DataSet, form.FindComponent("Orders"));
  EXPECT_EQ(choice.DataSetText, "Sales");
  EXPECT_EQ(choice.Fields, (std::vector<std::string>{"Qty", "Price"}));
  EXPECT_EQ(choice.Selected, (std::vector<bool>{false, true}));
  EXPECT_FALSE(choice.Horizontal);
  EXPECT_FALSE(choice.Headers);
  EXPECT_TRUE(choice.Bands);

  test::WhenShown<TvlInsertFieldsForm>([](TvlInsertFieldsForm& f) { test::ClickButton(&f, "CancelBtn"); });
  EXPECT_FALSE(vlChooseInsertFields(nullptr, report, choice));
}

}  // namespace
}  // namespace vl
