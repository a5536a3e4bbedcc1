// The expression builder and its choosers, driven as a user drives them.

#include <gtest/gtest.h>

#include <QLabel>

#include "controls/combo_edit.h"
#include "controls/speed_button.h"
#include "designer/expr_form.h"
#include "designer/func_arg_form.h"
#include "designer/func_form.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::ChooseRow;
using test::ClickButton;
using test::DialogsTest;
using test::WhenShown;

TEST(ExprInsertion, NamesOutsideLettersDigitsPointAndUnderscoreAreBracketed) {
  const struct {
    const char* name;
    const char* inserted;
  } cases[] = {
      {"Total", "Total"},
      {"total_2.x", "total_2.x"},
      {"", ""},
      {"PAGE#", "[PAGE#]"},
      {"Grand total", "[Grand total]"},
      {"Customers.\"Name\"", "[Customers.\"Name\"]"},
      {"Stra\xc3\x9f" "e", "[Stra\xc3\x9f" "e]"},
  };
  for (const auto& c : cases) EXPECT_EQ(vlWrapInsertedName(c.name), c.inserted) << c.name;
}

void ChooseTreeNode(QTreeWidget* tree, const QString& text) {
  const auto nodes = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  ASSERT_EQ(nodes.size(), 1) << text.toStdString();
  tree->setCurrentItem(nodes[0]);
}

TvlSpeedButton* Operator(TvlExprForm& form, const char* caption) {
  for (TvlSpeedButton* b : form.OperatorButtons)
    if (b->Caption() == caption) return b;
  return nullptr;
}

// IF from the function chooser, its condition from a nested builder (the
// comparison from the operator buttons), the branches typed in the boxes.
TEST_F(DialogsTest, ComposingAnIfCallFromTheChoosers) {
  TvlExprForm builder(report);
  builder.show();
  bool argumentsSeen = false;
  WhenShown<TvlFuncForm>([](TvlFuncForm& f) {
    ChooseTreeNode(f.Tree1, "Other");
    ChooseRow(f.FuncLB, "IF");
    EXPECT_EQ(f.FuncLabel->text(), "IF(<Condition>, <Expression1>, <Expression2>)");
    EXPECT_TRUE(f.DescrLabel->text().startsWith("Returns <Expression1>"));
    ClickButton(&f, "OkBtn");
  });
  WhenShown<TvlFuncArgForm>([&argumentsSeen](TvlFuncArgForm& a) {
    argumentsSeen = true;
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(a.ArgEdit[k]->isEnabled()) << k;
    WhenShown<TvlExprForm>([](TvlExprForm& inner) {
      EXPECT_TRUE(inner.Expression().empty());
      QTest::keyClicks(inner.ExprMemo, "[Qty] ");
      QTest::mouseClick(Operator(inner, ">"), Qt::LeftButton);
      QTest::keyClicks(inner.ExprMemo, "2");
      ClickButton(&inner, "OkBtn");
    });
    QTest::mouseClick(a.ArgEdit[0]->Button(), Qt::LeftButton);
    QTest::keyClicks(a.ArgEdit[1]->Edit(), "'many'");
    QTest::keyClicks(a.ArgEdit[2]->Edit(), "'few'");
    ClickButton(&a, "OkBtn");
  });
  QTest::mouseClick(builder.InsFuncBtn, Qt::LeftButton);
  EXPECT_TRUE(argumentsSeen);
  EXPECT_EQ(builder.Expression(), "IF([Qty] > 2, 'many', 'few')");
}

TEST_F(DialogsTest, InsertionsGoToTheCaretReplacingTheSelection) {
  report.Dictionary.Variables.Set(" Totals", TvlValue(std::string()));
  report.Dictionary.Variables.Set("Total", TvlValue(std::string("1")));
  TvlExprForm builder(report);
  builder.SetExpression("a b");
  builder.show();
  QTextCursor cursor = builder.ExprMemo->textCursor();
  cursor.setPosition(2);
  cursor.setPosition(3, QTextCursor::KeepAnchor);  // "b" selected
  builder.ExprMemo->setTextCursor(cursor);
  QTest::mouseClick(Operator(builder, "And"), Qt::LeftButton);
  EXPECT_EQ(builder.Expression(), "a And ");

  // A plain variable name goes in bare, a system variable and a field in brackets.
  WhenShown<TvlVarForm>([](TvlVarForm& v) {
    EXPECT_EQ(v.CategoryLB->Items(), (std::vector<std::string>{"Totals", "System variables"}));
    ChooseRow(v.VarLB, "Total");
    ClickButton(&v, "OkBtn");
  });
  QTest::mouseClick(builder.InsVarBtn, Qt::LeftButton);
  WhenShown<TvlVarForm>([](TvlVarForm& v) {
    EXPECT_EQ(v.CategoryLB->CurrentText(), "Totals");  // remembered
    ChooseRow(v.CategoryLB, "System variables");
    ChooseRow(v.VarLB, "Page#");
    ClickButton(&v, "OkBtn");
  });
  QTest::mouseClick(builder.InsVarBtn, Qt::LeftButton);
  WhenShown<TvlFieldsForm>([](TvlFieldsForm& f) {
    EXPECT_EQ(f.DatasetsLB->Items(), (std::vector<std::string>{"Customers", "Orders"}));
    ChooseRow(f.DatasetsLB, "Orders");
    EXPECT_EQ(f.FieldsLB->Items(), (std::vector<std::string>{"Qty", "Item", "Price"}));
    ChooseRow(f.FieldsLB, "Price");
    ClickButton(&f, "OkBtn");
  });
  QTest::mouseClick(builder.InsDBBtn, Qt::LeftButton);
  EXPECT_EQ(builder.Expression(), "a And Total[PAGE#][Orders.\"Price\"]");
  EXPECT_EQ(vlRememberedFieldsDataset(), "Orders");

  // A cancelled chooser inserts nothing; Esc in the text box cancels the builder.
  WhenShown<TvlFieldsForm>([](TvlFieldsForm& f) { ClickButton(&f, "CancelBtn"); });
  QTest::mouseClick(builder.InsDBBtn, Qt::LeftButton);
  EXPECT_EQ(builder.Expression(), "a And Total[PAGE#][Orders.\"Price\"]");
  QTest::keyClick(builder.ExprMemo, Qt::Key_Escape);
  EXPECT_EQ(builder.result(), QDialog::Rejected);
  EXPECT_FALSE(builder.isVisible());
}

TEST_F(DialogsTest, SystemVariableRowsGiveTheTableNames) {
  // Row 0 (or no row) is PAGE#; rows 1..7 skip the table's expression entry.
  const std::vector<std::string> expected = {"PAGE#", "DATE", "TIME", "LINE#", "LINETHROUGH#",
                                             "COLUMN#", "CURRENT#", "TOTALPAGES"};
  for (int row = -1; row < 8; ++row) {
    TvlVarForm chooser(report);
    chooser.show();
    ASSERT_EQ(chooser.CategoryLB->Items(), std::vector<std::string>{"System variables"});
    chooser.VarLB->SelectRow(row);
    chooser.accept();
    EXPECT_EQ(chooser.Result, expected[static_cast<std::size_t>(std::max(row, 0))]) << row;
  }
}

TEST_F(DialogsTest, ArgumentRowsFollowTheSyntaxCommasAndEmptyBoxesAreLeftOut) {
  const struct {
    const char* syntax;
    int rows;
    const char* args[3];
    const char* result;
  } cases[] = {
      {"LENGTH(<String>)", 1, {"'abc'", "", ""}, "LENGTH('abc')"},
      {"POS(<SubString>, <String>)", 2, {"'b'", "'abc'", ""}, "POS('b', 'abc')"},
      {"SUM(<Expression> [,BandName [,1]])", 3, {"[Qty]", "", "1"}, "SUM([Qty], 1)"},
      {"F(a, b, c, d, e)", 3, {"", "", ""}, "F()"},
  };
  for (const auto& c : cases) {
    TvlFuncArgForm dialog(report);
    dialog.FuncLabel->setText(c.syntax);
    dialog.Result = std::string(c.syntax).substr(0, std::string(c.syntax).find('('));
    dialog.show();
    for (int k = 0; k < 3; ++k) EXPECT_EQ(dialog.ArgEdit[k]->isEnabled(), k < c.rows) << c.syntax << " " << k;
    for (int k = 0; k < 3; ++k)
      if (dialog.ArgEdit[k]->isEnabled()) dialog.SetArgument(k, c.args[k]);
    dialog.accept();
    EXPECT_EQ(dialog.Result, c.result);
  }
}

TEST_F(DialogsTest, AFunctionWithoutArgumentsGoesInByName) {
  TvlExprForm builder(report);
  builder.show();
  WhenShown<TvlFuncForm>([](TvlFuncForm& f) {
    EXPECT_EQ(f.Tree1->currentItem()->text(0), "All functions");
    EXPECT_GT(f.FuncLB->count(), 60);
    ChooseTreeNode(f.Tree1, "Other");
    ChooseRow(f.FuncLB, "PAGE#");
    EXPECT_EQ(f.FuncLabel->text(), "PAGE#");
    QTest::mouseDClick(f.FuncLB->viewport(), Qt::LeftButton, Qt::NoModifier,
                       f.FuncLB->visualItemRect(f.FuncLB->currentItem()).center());
  });
  QTest::mouseClick(builder.InsFuncBtn, Qt::LeftButton);
  EXPECT_EQ(builder.Expression(), "[PAGE#]");
}

}  // namespace
}  // namespace vl
