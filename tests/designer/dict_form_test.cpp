// The data dictionary editor and its list editor, driven as a user drives them.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>

#include "controls/combo_edit.h"
#include "controls/flat_combo_box.h"
#include "controls/speed_button.h"
#include "designer/dict_alias_tab.h"
#include "designer/dict_form.h"
#include "designer/variables_text_editor.h"
#include "designer/expr_form.h"
#include "engine/core/value_convert.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::ChooseRow;
using test::RunTool;
using test::ClickButton;
using test::DialogsTest;
using test::WhenShown;

QTreeWidgetItem* Node(QTreeWidget* tree, const std::string& text) {
  const auto nodes = tree->findItems(vlToQt(text), Qt::MatchExactly | Qt::MatchRecursive);
  return nodes.size() == 1 ? nodes[0] : nullptr;
}

std::vector<std::string> TreeTexts(QTreeWidget* tree) {
  std::vector<std::string> out;
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    out.push_back(std::string((*it)->parent() ? "  " : "") + vlFromQt((*it)->text(0)));
  return out;
}

std::vector<std::string> Names(const TvlVariables& list) {
  std::vector<std::string> out;
  for (const auto& e : list.Entries()) out.push_back(e.Name + "=" + vlValueToText(e.Value));
  return out;
}

// Types into the open in-place editor and ends the edit with Enter.
void TypeInPlace(QTreeWidget* tree, const QString& text) {
  QLineEdit* editor = nullptr;  // closed editors linger until deleted
  for (QLineEdit* e : tree->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the edit is committed from the event loop
}

void Select(QTreeWidget* tree, const std::string& text) {
  QTreeWidgetItem* node = Node(tree, text);
  ASSERT_NE(node, nullptr) << text;
  tree->setCurrentItem(node);
}

TEST_F(DialogsTest, EmptyDictionaryShowsThePlaceholderUntilACategoryIsMade) {
  TvlDictForm editor(report);
  editor.show();
  EXPECT_TRUE(editor.EmptyState());
  EXPECT_EQ(TreeTexts(editor.VarTree), std::vector<std::string>{"[None]"});
  EXPECT_FALSE(editor.ExprCB->isEnabled());
  QTest::keyClick(editor.VarTree, Qt::Key_Insert);  // nothing to hold a variable: a category
  EXPECT_FALSE(editor.EmptyState());
  TypeInPlace(editor.VarTree, "Totals");
  QTest::keyClick(editor.VarTree, Qt::Key_Insert);  // now a variable of it
  TypeInPlace(editor.VarTree, "Sum");
  EXPECT_EQ(TreeTexts(editor.VarTree), (std::vector<std::string>{"Totals", "  Sum"}));
  EXPECT_EQ(Names(editor.Variables), (std::vector<std::string>{" Totals=", "Sum="}));
  Select(editor.VarTree, "Totals");
  QTest::keyClick(editor.VarTree, Qt::Key_Delete);
  EXPECT_TRUE(editor.EmptyState());
  EXPECT_EQ(editor.Variables.Count(), 0);
  EXPECT_EQ(editor.VarTree->currentItem()->text(0), "[None]");
}

TEST_F(DialogsTest, NewNamesTakeTheFirstFreeNumberWhateverTheCase) {
  auto& vars = report.Dictionary.Variables;
  vars.Set(" Category1", TvlValue(std::string()));
  vars.Set("variable1", TvlValue(std::string("1")));
  vars.Set(" category3", TvlValue(std::string()));
  vars.Set("Other", TvlValue(std::string("2")));
  TvlDictForm editor(report);
  editor.show();
  Select(editor.VarTree, "variable1");
  editor.NewVariable();  // last of Category1, before category3's entry, with an empty value
  TypeInPlace(editor.VarTree, "Variable2");
  editor.NewCategory();
  TypeInPlace(editor.VarTree, "Category2");
  EXPECT_EQ(Names(editor.Variables), (std::vector<std::string>{" Category1=", "variable1=1", "Variable2=",
                                                               " category3=", "Other=2", " Category2="}));
  EXPECT_EQ(TreeTexts(editor.VarTree), (std::vector<std::string>{"Category1", "  variable1", "  Variable2",
                                                                  "category3", "  Other", "Category2"}));
}

TEST_F(DialogsTest, RenamesOntoATakenNameAreRefused) {
  auto& vars = report.Dictionary.Variables;
  vars.Set(" Main", TvlValue(std::string()));
  vars.Set("Total", TvlValue(std::string("1")));
  vars.Set("Count", TvlValue(std::string("2")));
  TvlDictForm editor(report);
  editor.show();
  const struct {
    const char* node;
    const char* typed;
    const char* shown;
  } cases[] = {
      {"Count", "TOTAL", "Count"},  // another variable, other case: refused
      {"Count", "COUNT", "COUNT"},  // its own name in other case: taken
      {"Total", "", "Total"},       // empty: refused
      {"Total", " Sub", "Total"},   // a leading blank would make it a category
      {"Main", "Head", "Head"},
  };
  for (const auto& c : cases) {
    Select(editor.VarTree, c.node);
    QTest::keyClick(editor.VarTree, Qt::Key_Return);
    TypeInPlace(editor.VarTree, c.typed);
    EXPECT_NE(Node(editor.VarTree, c.shown), nullptr) << c.node << " -> " << c.typed;
  }
  EXPECT_EQ(Names(editor.Variables), (std::vector<std::string>{" Head=", "Total=1", "COUNT=2"}));
}

TEST_F(DialogsTest, ValuesShowAsFieldSystemVariableOrExpression) {
  auto& vars = report.Dictionary.Variables;
  vars.Set(" Main", TvlValue(std::string()));
  vars.Set("Amount", TvlValue(std::string("Orders.\"Price\"")));
  vars.Set("Day", TvlValue(std::string("date")));
  vars.Set("Twice", TvlValue(std::string("1.5 * [Qty]")));
  vars.Set("Nothing", TvlValue(std::string()));
  TvlDictForm editor(report);
  editor.show();
  EXPECT_EQ(editor.ValCombo->count(), 3);  // Customers, Orders, System variables

  Select(editor.VarTree, "Amount");
  EXPECT_EQ(editor.ValCombo->currentText(), "Orders");
  EXPECT_EQ(editor.ValList->CurrentText(), "Price");
  EXPECT_FALSE(editor.ExprCB->isChecked());
  Select(editor.VarTree, "Day");
  EXPECT_EQ(editor.ValCombo->currentText(), "System variables");
  EXPECT_EQ(editor.ValList->CurrentText(), "Date");
  Select(editor.VarTree, "Twice");
  EXPECT_TRUE(editor.ExprCB->isChecked());
  EXPECT_TRUE(editor.ExprEdit->isEnabled());
  EXPECT_EQ(editor.ExprEdit->Text(), "1.5 * [Qty]");
  Select(editor.VarTree, "Nothing");
  EXPECT_EQ(editor.ValList->CurrentText(), "[None]");
  EXPECT_FALSE(editor.ExprCB->isChecked());
  Select(editor.VarTree, "Main");
  EXPECT_FALSE(editor.ExprCB->isEnabled());

  // Choosing rows sets values; unchecking the expression by hand empties it.
  Select(editor.VarTree, "Nothing");
  ChooseRow(editor.ValList, "Line#");
  EXPECT_EQ(vlValueToText(editor.Variables.Get("Nothing")), "LINE#");
  ChooseRow(editor.ValList, "Page#");
  EXPECT_EQ(vlValueToText(editor.Variables.Get("Nothing")), "PAGE#");
  editor.ValCombo->setCurrentIndex(0);
  ChooseRow(editor.ValList, "City");
  EXPECT_EQ(vlValueToText(editor.Variables.Get("Nothing")), "Customers.\"City\"");
  Select(editor.VarTree, "Twice");
  // The expression box's button opens the builder on the box's text.
  WhenShown<TvlExprForm>([](TvlExprForm& builder) {
    EXPECT_EQ(builder.Expression(), "1.5 * [Qty]");
    builder.ExprMemo->moveCursor(QTextCursor::End);
    builder.Insert(" + 1");
    ClickButton(&builder, "OkBtn");
  });
  QTest::mouseClick(editor.ExprEdit->Button(), Qt::LeftButton);
  EXPECT_EQ(vlValueToText(editor.Variables.Get("Twice")), "1.5 * [Qty] + 1");
  QTest::mouseClick(editor.ExprCB, Qt::LeftButton, Qt::NoModifier, QPoint(6, editor.ExprCB->height() / 2));
  EXPECT_FALSE(editor.ExprCB->isChecked());
  EXPECT_EQ(vlValueToText(editor.Variables.Get("Twice")), "");
}

TEST_F(DialogsTest, CancelLeavesTheDictionaryAsItWas) {
  auto& dict = report.Dictionary;
  dict.Variables.Set(" Main", TvlValue(std::string()));
  dict.Variables.Set("Total", TvlValue(std::string("1")));
  dict.FieldAliases.Set("Orders", TvlValue(std::string("Sales")));
  TvlDictForm editor(report);
  editor.show();
  editor.NewCategory();
  Select(editor.VarTree, "Total");
  editor.DeleteNode();
  editor.FieldAliasesTab->RemoveAll();
  editor.BandDSTab->AddAll();
  QTest::keyClick(editor.VarTree, Qt::Key_Escape);
  EXPECT_EQ(editor.result(), QDialog::Rejected);
  EXPECT_EQ(Names(dict.Variables), (std::vector<std::string>{" Main=", "Total=1"}));
  EXPECT_EQ(Names(dict.FieldAliases), std::vector<std::string>{"Orders=Sales"});
  EXPECT_EQ(dict.BandDataSources.Count(), 0);
}

// A variable made in the editor is offered by the variable chooser and
// evaluates through the command-line tool once the template is saved.
TEST_F(DialogsTest, AVariableAddedInTheEditorIsOfferedAndEvaluates) {
  report.Pages.Add();
  WhenShown<TvlDictForm>([](TvlDictForm& editor) {
    ClickButton(&editor, "NewCategoryBtn");
    TypeInPlace(editor.VarTree, "Answers");
    ClickButton(&editor, "NewVarBtn");
    TypeInPlace(editor.VarTree, "Answer");
    QTest::mouseClick(editor.ExprCB, Qt::LeftButton, Qt::NoModifier, QPoint(6, editor.ExprCB->height() / 2));
    QTest::keyClicks(editor.ExprEdit->Edit(), "6 * 7");
    ClickButton(&editor, "OkBtn");
  });
  ASSERT_TRUE(vlShowDictionaryEditor(nullptr, report));
  EXPECT_EQ(Names(report.Dictionary.Variables), (std::vector<std::string>{" Answers=", "Answer=6 * 7"}));

  TvlVarForm chooser(report);
  chooser.show();
  EXPECT_EQ(chooser.CategoryLB->Items(), (std::vector<std::string>{"Answers", "System variables"}));
  EXPECT_EQ(chooser.VarLB->Items(), std::vector<std::string>{"Answer"});

  const std::string path = (dir / "answer.vlf").string();
  report.SaveToFile(path);
  const std::string out = RunTool(std::string(VL_VLREPORT) + " eval \"[Answer] + 1\" --template '" + path + "'");
  EXPECT_NE(out.find("\"text\": \"43\""), std::string::npos) << out;
}

TEST_F(DialogsTest, AFieldAliasTypedInTheEditorIsSavedAndReadBack) {
  TvlDictForm editor(report);
  editor.show();
  editor.Tabs->setCurrentIndex(1);
  TvlAliasTab& tab = *editor.FieldAliasesTab;
  EXPECT_EQ(tab.AllLB->Items(), (std::vector<std::string>{"Customers", "Orders"}));
  ChooseRow(tab.AllLB, "Orders");
  QTest::mouseClick(tab.AddBtn, Qt::LeftButton);
  EXPECT_EQ(tab.AllLB->Items(), std::vector<std::string>{"Customers"});
  QTreeWidgetItem* orders = Node(tab.Tree, "Orders");
  ASSERT_NE(orders, nullptr);
  orders->setExpanded(true);
  EXPECT_EQ(TreeTexts(tab.Tree), (std::vector<std::string>{"Datasets and fields", "  Orders", "  Item", "  Price",
                                                           "  Qty"}));
  // Alias the dataset and one field, exclude another.
  tab.Tree->setCurrentItem(orders);
  QTest::keyClick(tab.Tree, Qt::Key_Return);  // to the alias box
  QTest::keyClicks(tab.AliasEdit, "Sales");
  QTest::keyClick(tab.AliasEdit, Qt::Key_Return);
  Select(tab.Tree, "Qty");
  tab.AliasEdit->selectAll();
  QTest::keyClicks(tab.AliasEdit, "Quantity");
  Select(tab.Tree, "Item");  // leaving the node commits its alias
  QTest::keyClick(tab.Tree, Qt::Key_Space);
  EXPECT_TRUE(tab.ExcludeCB->isChecked());
  EXPECT_EQ(TreeTexts(tab.Tree), (std::vector<std::string>{"Datasets and fields", "  Orders {Sales}", "  Item",
                                                           "  Price", "  Qty {Quantity}"}));
  ClickButton(&editor, "OkBtn");
  EXPECT_EQ(Names(report.Dictionary.FieldAliases),
            (std::vector<std::string>{"Orders=Sales", "Orders.\"Qty\"=Quantity", "Orders.\"Item\"="}));

  // Saved with the template and read back, the lists show the aliases.
  const std::string path = (dir / "aliases.vlf").string();
  report.Pages.Add();
  report.SaveToFile(path);
  TvlReport again;
  again.Owner = &form;
  ASSERT_TRUE(again.LoadFromFile(path));
  EXPECT_EQ(Names(again.Dictionary.FieldAliases), Names(report.Dictionary.FieldAliases));
  TvlFieldsForm chooser(again);
  chooser.show();
  EXPECT_EQ(chooser.DatasetsLB->Items(), std::vector<std::string>{"Sales"});
  EXPECT_EQ(chooser.FieldsLB->Items(), (std::vector<std::string>{"Quantity", "Price"}));
  ChooseRow(chooser.FieldsLB, "Quantity");
  chooser.accept();
  EXPECT_EQ(chooser.Result, "Sales.\"Quantity\"");
}

TEST_F(DialogsTest, ExcludingAndIncludingAFieldAgainLosesItsAlias) {
  report.Dictionary.FieldAliases.Set("Orders", TvlValue(std::string()));
  report.Dictionary.FieldAliases.Set("Orders.\"Qty\"", TvlValue(std::string("Quantity")));
  TvlDictForm editor(report);
  editor.show();
  TvlAliasTab& tab = *editor.FieldAliasesTab;
  Node(tab.Tree, "Orders")->setExpanded(true);
  Select(tab.Tree, "Qty {Quantity}");
  EXPECT_EQ(tab.AliasEdit->text(), "Quantity");
  QTest::mouseClick(tab.ExcludeCB, Qt::LeftButton, Qt::NoModifier, QPoint(6, tab.ExcludeCB->height() / 2));
  EXPECT_EQ(Names(editor.FieldAliases), (std::vector<std::string>{"Orders=", "Orders.\"Qty\"="}));
  QTest::mouseClick(tab.ExcludeCB, Qt::LeftButton, Qt::NoModifier, QPoint(6, tab.ExcludeCB->height() / 2));
  EXPECT_EQ(Names(editor.FieldAliases), std::vector<std::string>{"Orders="});
  EXPECT_NE(Node(tab.Tree, "Qty"), nullptr);

  // "<" takes the dataset back with every entry of its fields; "<<" takes all.
  Select(tab.Tree, "Orders");
  QTest::mouseClick(tab.RemoveBtn, Qt::LeftButton);
  EXPECT_EQ(editor.FieldAliases.Count(), 0);
  EXPECT_EQ(tab.AllLB->Items(), (std::vector<std::string>{"Customers", "Orders"}));
  QTest::mouseClick(tab.AddAllBtn, Qt::LeftButton);
  EXPECT_EQ(Names(editor.FieldAliases), (std::vector<std::string>{"Customers=", "Orders="}));
  QTest::mouseClick(tab.RemoveAllBtn, Qt::LeftButton);
  EXPECT_EQ(editor.FieldAliases.Count(), 0);
  EXPECT_EQ(tab.AllLB->Items(), (std::vector<std::string>{"Customers", "Orders"}));

  // A name dragged onto the tree is added, a node dragged onto the list taken
  // back; drags from elsewhere are refused.
  ChooseRow(tab.AllLB, "Orders");
  QMimeData mime;
  mime.setText("Orders");
  QDropEvent foreign(tab.Tree->viewport()->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tab.Tree->viewport(), &foreign);
  EXPECT_FALSE(foreign.isAccepted());
  EXPECT_EQ(editor.FieldAliases.Count(), 0);
  EXPECT_TRUE(tab.DropFrom(tab.AllLB, tab.Tree->viewport()));
  EXPECT_EQ(Names(editor.FieldAliases), std::vector<std::string>{"Orders="});
  Select(tab.Tree, "Orders");
  EXPECT_FALSE(tab.DropFrom(tab.Tree, tab.Tree->viewport()));
  EXPECT_TRUE(tab.DropFrom(tab.Tree, tab.AllLB->viewport()));
  EXPECT_EQ(editor.FieldAliases.Count(), 0);
  EXPECT_EQ(tab.AllLB->Items(), (std::vector<std::string>{"Customers", "Orders"}));
}

// An entry with an empty alias hides a field, so clearing an alias drops the
// entry instead, and an alias typed for an excluded field brings it back.
TEST_F(DialogsTest, ClearingAFieldAliasKeepsTheFieldListed) {
  report.Dictionary.FieldAliases.Set("Orders", TvlValue(std::string()));
  report.Dictionary.FieldAliases.Set("Orders.\"Qty\"", TvlValue(std::string("Quantity")));
  report.Dictionary.FieldAliases.Set("Orders.\"Item\"", TvlValue(std::string()));
  TvlDictForm editor(report);
  editor.show();
  TvlAliasTab& tab = *editor.FieldAliasesTab;
  Node(tab.Tree, "Orders")->setExpanded(true);
  Select(tab.Tree, "Qty {Quantity}");
  tab.AliasEdit->selectAll();
  QTest::keyClick(tab.AliasEdit, Qt::Key_Delete);
  QTest::keyClick(tab.AliasEdit, Qt::Key_Return);
  Select(tab.Tree, "Item");
  EXPECT_TRUE(tab.ExcludeCB->isChecked());
  tab.AliasEdit->selectAll();
  QTest::keyClicks(tab.AliasEdit, "Article");
  QTest::keyClick(tab.AliasEdit, Qt::Key_Return);
  EXPECT_FALSE(tab.ExcludeCB->isChecked());
  EXPECT_EQ(TreeTexts(tab.Tree), (std::vector<std::string>{"Datasets and fields", "  Orders", "  Item {Article}",
                                                           "  Price", "  Qty"}));
  EXPECT_EQ(Names(editor.FieldAliases), (std::vector<std::string>{"Orders=", "Orders.\"Item\"=Article"}));
}

TEST_F(DialogsTest, BandDataSourcesGetAliases) {
  TvlDictForm editor(report);
  editor.show();
  editor.Tabs->setCurrentIndex(2);
  TvlAliasTab& tab = *editor.BandDSTab;
  EXPECT_EQ(tab.AllLB->Items(), std::vector<std::string>{"OrdersData"});
  const QPoint row = tab.AllLB->visualItemRect(tab.AllLB->item(0)).center();
  QTest::mouseClick(tab.AllLB->viewport(), Qt::LeftButton, Qt::NoModifier, row);  // a double click's first half
  QTest::mouseDClick(tab.AllLB->viewport(), Qt::LeftButton, Qt::NoModifier, row);
  Select(tab.Tree, "OrdersData");
  tab.AliasEdit->selectAll();
  QTest::keyClicks(tab.AliasEdit, "Order lines");
  QTest::keyClick(tab.AliasEdit, Qt::Key_Return);
  EXPECT_NE(Node(tab.Tree, "OrdersData {Order lines}"), nullptr);
  editor.accept();
  EXPECT_EQ(Names(report.Dictionary.BandDataSources), std::vector<std::string>{"OrdersData=Order lines"});
  EXPECT_EQ(report.Dictionary.GetBandDataSourceList(), std::vector<std::string>{"Order lines"});
}

TEST(VariableListText, LinesAndEntriesConvertBothWays) {
  TvlVariables vars;
  vars.Set(" Main", TvlValue(std::string()));
  vars.Set("Total", TvlValue(std::string("SUM([Qty])")));
  EXPECT_EQ(vlVariableListLines(vars), (std::vector<std::string>{"Main", " Total"}));

  vlReadVariableListLines({"Main", " Total", "   ", "", "  Sub ", " New", " Total", "Tail  "}, vars);
  // Two leading blanks lose one (a category named " Sub "); trailing blanks stay.
  EXPECT_EQ(Names(vars), (std::vector<std::string>{" Main=", "Total=SUM([Qty])", " Sub =", "New=", " Tail  ="}));
  vlReadVariableListLines({" " + std::string(300, 'x')}, vars);
  EXPECT_EQ(vars.NameAt(0).size(), 255u);
}

TEST_F(DialogsTest, EditListRebuildsTheTreeAfterOkOnly) {
  report.Dictionary.Variables.Set(" Main", TvlValue(std::string()));
  report.Dictionary.Variables.Set("Total", TvlValue(std::string("1")));
  TvlDictForm editor(report);
  editor.show();
  WhenShown<TvlVaredForm>([](TvlVaredForm& f) {
    EXPECT_EQ(f.Memo1->toPlainText(), "Main\n Total");
    f.Memo1->setPlainText("Main\n Total\nMore\n Extra");
    ClickButton(&f, "OkBtn");
  });
  ClickButton(&editor, "EditListBtn");
  EXPECT_EQ(TreeTexts(editor.VarTree), (std::vector<std::string>{"Main", "  Total", "More", "  Extra"}));
  EXPECT_EQ(editor.VarTree->currentItem()->text(0), "Main");
  WhenShown<TvlVaredForm>([](TvlVaredForm& f) {
    f.Memo1->setPlainText("");
    ClickButton(&f, "CancelBtn");
  });
  ClickButton(&editor, "EditListBtn");
  EXPECT_EQ(editor.Variables.Count(), 4);
}

}  // namespace
}  // namespace vl
