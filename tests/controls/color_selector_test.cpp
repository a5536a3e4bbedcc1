// The colour picker: its grid, the colour each button picks, the colour
// dialog behind "Other..." and the current colour's mark.

#include <QColorDialog>
#include <QTimer>

#include "controls/color_selector.h"
#include "controls/speed_button.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

class ColorSelector : public ::testing::Test {
 protected:
  ColorSelector() {
    owner.resize(200, 200);
    owner.show();
    selector = new TColorSelector(&owner);
    selector->OnColorSelected = [this](TColorSelector* sender) {
      EXPECT_EQ(sender, selector);
      picked.push_back(sender->Color());
    };
  }
  // Answers the colour dialog that the next pick opens.
  void AnswerDialog(QColor colour, bool accept) {
    QTimer::singleShot(0, [=] {
      auto* dialog = dynamic_cast<QColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->currentColor(), QColor(0x56, 0x34, 0x12)) << "it starts at the selected colour";
      dialog->setCurrentColor(colour);
      if (accept) dialog->accept();
      else dialog->reject();
    });
  }

  QWidget owner;
  TColorSelector* selector;
  std::vector<TvlColor> picked;
};

TEST_F(ColorSelector, IsAHiddenPanelOfSixteenColoursAndTwoTextButtons) {
  EXPECT_TRUE(selector->isHidden());
  EXPECT_EQ(selector->size(), QSize(96, 132));
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(selector->Button(k)->geometry(), QRect(4 + 22 * (k % 4), 4 + 22 * (k / 4), 22, 22)) << k;
    EXPECT_EQ(selector->Button(k)->Glyph().size(), QSize(16, 17));
  }
  EXPECT_EQ(selector->Button(16)->geometry(), QRect(4, 92, 88, 18));
  EXPECT_EQ(selector->Button(17)->geometry(), QRect(4, 110, 88, 18));
  EXPECT_EQ(selector->Button(16)->Caption(), "Transparent");
  EXPECT_EQ(selector->Button(17)->Caption(), "Other...");
  for (int k = 0; k < 18; ++k) {
    EXPECT_TRUE(selector->Button(k)->Flat());
    EXPECT_FALSE(selector->Button(k)->GrayedInactive());
    EXPECT_EQ(selector->Button(k)->GroupIndex(), selector->Button(0)->GroupIndex());
  }
  // The swatch: the colour framed in the shadow colour.
  const QImage red = selector->Button(10)->Glyph();
  EXPECT_EQ(red.pixelColor(8, 8), QColor(255, 0, 0));
  EXPECT_EQ(red.pixel(0, 0), selector->Button(10)->palette().color(QPalette::Dark).rgb());
}

TEST_F(ColorSelector, EachButtonPicksItsColourThenThePickerHides) {
  const TvlColor expected[17] = {0xFFFFFF, 0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                 0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00,
                                 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x1FFFFFFF};
  for (int k = 0; k < 17; ++k) {
    SCOPED_TRACE(k);
    selector->show();
    Click(selector->Button(k));
    ASSERT_EQ(picked.size(), static_cast<size_t>(k + 1));
    EXPECT_EQ(picked.back(), expected[k]);
    EXPECT_TRUE(selector->isHidden());
  }
}

TEST_F(ColorSelector, OtherAsksTheColourDialogAndACancelPicksNothing) {
  selector->SetColor(0x123456);
  selector->show();
  AnswerDialog(QColor(0xAB, 0xCD, 0xEF), true);
  Click(selector->Button(TColorSelector::kOtherIndex));
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0], 0xEFCDABu) << "0x00BBGGRR";
  EXPECT_TRUE(selector->isHidden());

  selector->SetColor(0x123456);
  selector->show();
  AnswerDialog(QColor(0, 0, 0), false);
  Click(selector->Button(TColorSelector::kOtherIndex));
  EXPECT_EQ(picked.size(), 1u) << "nothing is raised";
  EXPECT_EQ(selector->Color(), 0x123456u);
  EXPECT_TRUE(selector->isHidden());
}

TEST_F(ColorSelector, SetColorLatchesTheMatchingButtonOrShowsTheColourOnOther) {
  TvlSpeedButton* other = selector->Button(TColorSelector::kOtherIndex);
  selector->SetColor(0x0000FF);
  EXPECT_TRUE(selector->Button(10)->Down());
  selector->SetColor(clNone);
  EXPECT_TRUE(selector->Button(TColorSelector::kTransparentIndex)->Down());
  EXPECT_FALSE(selector->Button(10)->Down());
  EXPECT_TRUE(other->Glyph().isNull());

  selector->SetColor(0x123456);
  EXPECT_EQ(selector->Color(), 0x123456u);
  EXPECT_TRUE(selector->Button(TColorSelector::kTransparentIndex)->Down()) << "no grid button changes";
  ASSERT_EQ(other->Glyph().size(), QSize(12, 13));
  EXPECT_EQ(other->Glyph().pixelColor(5, 5), QColor(0x56, 0x34, 0x12));
  selector->SetColor(0xFFFFFF);
  EXPECT_TRUE(other->Glyph().isNull()) << "a grid colour clears the swatch on Other...";
  EXPECT_TRUE(selector->Button(0)->Down());
}

}  // namespace
}  // namespace vl
