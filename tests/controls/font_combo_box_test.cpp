// The font box: the recent fonts at the top of the list and in the store,
// the list built from the installed fonts, and the preview beside it.

#include <QAbstractItemView>
#include <QLineEdit>

#include "controls/font_combo_box.h"
#include "controls/font_preview.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

const char kKey[] = "Software\\Vellora\\MRUFont";

std::vector<TvlFontFace> Faces() {
  // Out of order, with a duplicate: the list sorts them and keeps each once.
  return {{"Face H", 4}, {"Face B", 4}, {"face c", 1}, {"Face D", 4}, {"Face A", 4},
          {"Face F", 4}, {"Face E", 1}, {"Face G", 4}, {"Face B", 4}};
}

class FontComboBox : public ::testing::Test {
 protected:
  FontComboBox() {
    box.FontSource = Faces;
    box.OnClick = [this] { ++clicks; };
  }

  // The user drops the list, highlights a row and presses Enter.
  void ChooseRow(int row) {
    box.showPopup();
    box.view()->setCurrentIndex(box.model()->index(row, 0));
    SendKey(box.view(), Qt::Key_Return);
  }
  // Chooses a font from the full list below the recent ones.
  void ChooseFont(const QString& name) {
    for (int row = box.MRUCount(); row < box.count(); ++row)
      if (box.itemText(row).compare(name, Qt::CaseInsensitive) == 0) return ChooseRow(row);
    FAIL() << name.toStdString() << " is not listed";
  }
  QStringList Recent() const {
    QStringList names;
    for (int i = 0; i < box.MRUCount(); ++i) names << box.itemText(i);
    return names;
  }
  std::string Stored(const char* name) { return settings.Store.ReadString(kKey, name, "<missing>"); }

  TvlScopedSettings settings;
  TvlFontComboBox box;
  int clicks = 0;
};

TEST_F(FontComboBox, KeepsTheFiveMostRecentFontsNewestFirst) {
  box.Populate();
  ASSERT_EQ(box.count(), 8);
  EXPECT_EQ(box.itemText(0), "Face A");
  EXPECT_EQ(box.itemText(2), "face c");
  EXPECT_EQ(box.MRUCount(), 0);
  EXPECT_EQ(clicks, 0) << "no click while the list is built";
  EXPECT_EQ(Stored("Font0"), "") << "missing recent entries are written empty";
  EXPECT_EQ(Stored("FontType4"), "0");

  for (const char* name : {"Face B", "Face D", "face c", "Face A", "Face F", "Face E"}) ChooseFont(name);
  EXPECT_EQ(clicks, 6);
  EXPECT_EQ(Recent(), QStringList({"Face E", "Face F", "Face A", "face c", "Face D"}));
  EXPECT_EQ(box.count(), 8 + 5);
  EXPECT_EQ(box.currentIndex(), 0);
  EXPECT_EQ(box.currentText(), "Face E");
  const char* stored[] = {"Face E", "Face F", "Face A", "face c", "Face D"};
  const char* types[] = {"1", "4", "4", "1", "4"};
  for (int n = 0; n < 5; ++n) {
    EXPECT_EQ(Stored(("Font" + std::to_string(n)).c_str()), stored[n]);
    EXPECT_EQ(Stored(("FontType" + std::to_string(n)).c_str()), types[n]);
  }

  // Chosen again from the full list, a recent font moves up and stays once.
  ChooseFont("Face A");
  EXPECT_EQ(Recent(), QStringList({"Face A", "Face E", "Face F", "face c", "Face D"}));
  EXPECT_EQ(box.count(), 13);
  // Chosen from the recent fonts themselves, likewise.
  ChooseRow(3);
  EXPECT_EQ(Recent(), QStringList({"face c", "Face A", "Face E", "Face F", "Face D"}));
  EXPECT_EQ(Stored("Font0"), "face c");

  // The first row changes nothing, in the list or in the store.
  const auto before = settings.Store.Values;
  ChooseRow(0);
  EXPECT_EQ(Recent(), QStringList({"face c", "Face A", "Face E", "Face F", "Face D"}));
  EXPECT_EQ(settings.Store.Values, before);
}

TEST_F(FontComboBox, WithoutRecentFontsListsEachFontOnceAndStoresNothing) {
  box.SetShowMRU(false);
  box.Populate();
  ChooseFont("Face D");
  ChooseFont("Face G");
  EXPECT_EQ(box.count(), 8);
  EXPECT_EQ(box.MRUCount(), 0);
  EXPECT_EQ(box.currentText(), "Face G");
  EXPECT_TRUE(settings.Store.Values.empty());
  EXPECT_EQ(clicks, 2);
}

TEST_F(FontComboBox, RecentFontsThatAreGoneAreDroppedOnPopulate) {
  box.SetMRURegKey("\\Software\\Vellora\\Fonts");
  const char key[] = "Software\\Vellora\\Fonts";
  settings.Store.WriteString(key, "Font0", "Face G");
  settings.Store.WriteInteger(key, "FontType0", 4);
  settings.Store.WriteString(key, "Font1", "Gone Sans");
  settings.Store.WriteInteger(key, "FontType1", 4);
  settings.Store.WriteString(key, "Font2", "face b");
  settings.Store.WriteInteger(key, "FontType2", 0);
  box.setEditText("Not A Font");
  box.Populate();
  EXPECT_EQ(Recent(), QStringList({"Face G", "face b"}));
  EXPECT_EQ(box.FontType(0), 4);
  EXPECT_EQ(box.FontType(1), 0) << "the stored type comes with the name";
  EXPECT_EQ(settings.Store.ReadString(key, "Font1", "<missing>"), "");
  EXPECT_EQ(settings.Store.ReadString(key, "FontType1", "<missing>"), "0");
  EXPECT_EQ(settings.Store.ReadString(key, "Font0", ""), "Face G") << "a font still installed stays";
  EXPECT_EQ(box.currentIndex(), 0) << "a text not in the list selects the first item";
  EXPECT_EQ(box.lineEdit()->isReadOnly(), true);

  box.SetMRURegKey("");
  EXPECT_EQ(box.MRURegKey(), "\\Software\\Vellora\\MRUFont");
}

TEST_F(FontComboBox, PreviewShowsTheHighlightedFontBesideTheList) {
  QWidget window;
  window.setGeometry(50, 50, 300, 200);
  box.setParent(&window);
  box.move(10, 10);
  window.show();
  box.Populate();
  EXPECT_EQ(box.size().width(), 150);
  EXPECT_EQ(box.DropDownCount(), 12);
  EXPECT_EQ(box.EditRect(), QRect(19, 3, 150 - 11 - 16 - 7, box.height() - 6));
  ChooseFont("Face C");  // one recent font, now current at row 0

  box.showPopup();
  TvlFontPreview* preview = box.Preview();
  ASSERT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->pos(), box.mapToGlobal(QPoint(box.width(), box.height())));
  EXPECT_EQ(preview->size(), QSize(200, 50));
  EXPECT_EQ(box.view()->currentIndex().row(), 0);
  EXPECT_EQ(preview->FontName(), "face c");
  box.view()->setCurrentIndex(box.model()->index(4, 0));
  box.view()->grab();  // draws the rows
  EXPECT_EQ(preview->FontName(), "Face D") << "the highlighted row shows in the preview";
  const int rows = std::min(12, box.count());
  EXPECT_EQ(box.view()->window()->height(), box.ItemHeight() * rows + 4);
  box.hidePopup();
  EXPECT_FALSE(preview->isVisible());
  box.setParent(nullptr);  // the fixture owns the box
}

}  // namespace
}  // namespace vl

namespace vl {
namespace {

TEST(FontPreview, SitsAtTheBoxCornerOrLeftOfItAndAboveAnUpwardList) {
  const QRect screen(0, 0, 800, 600);
  struct Case {
    QRect box;
    bool upward;
    QPoint expected;
  };
  const Case cases[] = {
      {{100, 100, 150, 21}, false, {250, 121}},
      {{640, 100, 150, 21}, false, {640 - 1 - 200, 121}},  // would pass the right edge
      {{100, 560, 150, 21}, true, {250, 560 - 50}},
  };
  TvlFontPreview preview;
  for (const Case& c : cases) {
    preview.PlaceBeside(c.box, c.upward, screen);
    EXPECT_EQ(preview.pos(), c.expected) << c.box.x() << "," << c.box.y();
  }
}


TEST(FontFamilyNames, TheFoundryTagIsNotPartOfTheName) {
  EXPECT_EQ(vlFamilyName(QStringLiteral("C059 [UKWN]")), QStringLiteral("C059"));
  EXPECT_EQ(vlFamilyName(QStringLiteral("Noto Sans [GOOG]")), QStringLiteral("Noto Sans"));
  EXPECT_EQ(vlFamilyName(QStringLiteral("Liberation Sans")), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(vlFamilyName(QStringLiteral("[Odd]")), QStringLiteral("[Odd]"));
  EXPECT_EQ(vlFamilyName(QStringLiteral("Half [open")), QStringLiteral("Half [open"));
}

}  // namespace
}  // namespace vl
