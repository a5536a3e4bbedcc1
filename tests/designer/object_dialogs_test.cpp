// The display format, object tag, restrictions, picture and template
// dialogs: the codes the format dialog builds (and how a chosen format
// prints), restrictions given to a whole selection without undo, the tag
// dialog refused for a locked object, and the template list.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "controls/combo_edit.h"
#include "designer/designer_text.h"
#include "designer/dialogs_install.h"
#include "designer/format_dialog.h"
#include "designer/object_attr_forms.h"
#include "designer/picture_editor_form.h"
#include "designer/template_dialogs.h"
#include "engine/core/display_format.h"
#include "engine/core/string_table.h"
#include "engine/model/memo_view.h"
#include "platform/bitmap_codec.h"
#include "platform/qt/passw_form.h"
#include "platform/raster.h"
#include "tests/designer/designer_fixture.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::RunTool;
using test::WhenShown;

// Chooses the category, the kind (by row) and fills the number boxes.
void Choose(TvlFmtForm& f, int category, int kindRow, const char* decimals = nullptr, const char* separator = nullptr) {
  f.CatLB()->setCurrentRow(category);
  f.TypeLB()->setCurrentRow(kindRow);
  if (decimals) f.DecEdit()->setText(QString::fromLatin1(decimals));
  if (separator) f.SplEdit()->setText(QString::fromLatin1(separator));
}

TEST(FmtForm, BuildsTheCodeFromTheBoxes) {
  {
    TvlFmtForm text(0, "keep");
    EXPECT_EQ(text.CatLB()->currentItem()->text(), "Text");
    ASSERT_EQ(text.TypeLB()->count(), 1);
    EXPECT_EQ(text.TypeLB()->item(0)->text(), "[None]");
    for (QLineEdit* box : {text.DecEdit(), text.SplEdit(), text.FormatEdit()}) {
      EXPECT_FALSE(box->isEnabled());
      EXPECT_TRUE(box->text().isEmpty());
    }
    EXPECT_EQ(text.Code(), 0x0000002C);
    EXPECT_EQ(text.FormatText(), "keep");
  }
  struct Case {
    int Category, KindRow;
    const char *Decimals, *Separator;
    std::int32_t Code;
  };
  for (const Case& c : {Case{1, 1, "2", ".", 0x0101022E}, Case{1, 0, "3", "", 0x0100032C},
                        Case{1, 2, "x", ",", 0x0102002C}, Case{2, 2, nullptr, nullptr, 0x0202002C},
                        Case{4, 1, nullptr, nullptr, 0x0401002C}}) {
    TvlFmtForm f(0x00000200, "");
    Choose(f, c.Category, c.KindRow, c.Decimals, c.Separator);
    EXPECT_EQ(f.Code(), c.Code) << std::hex << c.Code;
  }
  // The box shows the code's decimals and separator; another category
  // starts at its first kind.
  TvlFmtForm number(vlMakeFormat(1, 3, 4, '.'), "old");
  EXPECT_EQ(number.TypeLB()->currentRow(), 3);
  EXPECT_EQ(number.DecEdit()->text(), "4");
  EXPECT_EQ(number.SplEdit()->text(), ".");
  number.CatLB()->setCurrentRow(3);
  EXPECT_EQ(number.TypeLB()->currentRow(), 0);
  EXPECT_EQ(number.TypeLB()->count(), 5);
  // The custom kind stores its text; a predefined kind keeps the old one.
  number.TypeLB()->setCurrentRow(4);
  EXPECT_EQ(number.FormatEdit()->text(), "old");
  number.FormatEdit()->setText("hh.nn");
  EXPECT_EQ(number.FormatText(), "hh.nn");
  number.TypeLB()->setCurrentRow(1);
  EXPECT_EQ(number.FormatText(), "old");
}

// A format chosen in the dialog prints as the command-line tool says, and
// both agree with the formatting function they share.
TEST(FmtForm, ChosenFormatPrintsAsTheCommandSays) {
  TvlFmtForm f(0, "");
  Choose(f, 1, 1, "2", ".");
  const std::string code = "0x" + QString::number(f.Code(), 16).toStdString();
  const std::string printed = RunTool(std::string(VL_VLREPORT) + " format 1234.5 --format " + code);
  EXPECT_EQ(printed, "1234.50\n");
  EXPECT_EQ(printed, vlFormatDisplayValue(TvlValue(1234.5), f.Code(), f.FormatText()) + "\n");
}

// "Variable format..." of a text view gives the format to every selected
// text view that may be modified, in one undo step; "Font..." is the font
// editor's.
TEST_F(DesignerTest, VariableFormatEntryFormatsTheSelection) {
  vlInstallDesignerDialogs();
  TvlView* a = AddMemo("A", 10, 10);
  TvlView* b = AddMemo("B", 10, 40);
  TvlView* locked = AddMemo("C", 10, 70);
  locked->Restrictions = rsDontModify;
  Open();
  for (TvlView* v : {a, b, locked}) v->Selected = 1;
  WhenShown<TvlFmtForm>([](TvlFmtForm& d) {
    Choose(d, 1, 1, "2", ".");
    d.accept();
  });
  form->RunPopupEntry({55191, false, TvlPopupAction::Custom, mmVariableFormat}, *a);
  EXPECT_EQ(a->Format, 0x0101022E);
  EXPECT_EQ(b->Format, 0x0101022E);
  EXPECT_EQ(locked->Format, TvlMemoView().Format);
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u);

  int fontOpened = 0;
  vlDesignerDialogs().PropertyEditors["Font"] = [&](TvlDesignerForm&, TvlView* v) {
    ++fontOpened;
    return v == a;
  };
  EXPECT_TRUE(vlDesignerDialogs().PopupEntry(form.get(), *a, {55334, false, TvlPopupAction::Custom, mmFont}));
  vlDesignerDialogs().PropertyEditors.erase("Font");
  EXPECT_FALSE(vlDesignerDialogs().PopupEntry(form.get(), *a, {55334, false, TvlPopupAction::Custom, mmFont}));
  EXPECT_EQ(fontOpened, 1);
}

// Restrictions go to every selected object without an undo step and can be
// taken back; once contents are locked the tag dialog no longer opens.
TEST_F(DesignerTest, RestrictionsGoToTheSelectionAndLockTheTag) {
  vlInstallDesignerDialogs();
  TvlView* a = AddMemo("A", 10, 10);
  TvlView* b = AddMemo("B", 10, 40);
  b->Restrictions = rsDontDelete | rsDontMove;
  Open();
  a->Selected = b->Selected = 1;

  TvlDesignerPage* surface = form->Surface();
  WhenShown<TvlAttrEditorForm>([surface](TvlAttrEditorForm& d) {
    EXPECT_TRUE(surface->HandlesHidden) << "no selection marks while the dialog is open";
    d.Edit()->SetText("note");
    d.accept();
  });
  EXPECT_TRUE(vlDesignerDialogs().PropertyEditors["Tag"](*form, b));
  EXPECT_EQ(b->Tag, "note");
  EXPECT_FALSE(surface->HandlesHidden);
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u);

  form->SetModified(false);
  WhenShown<TvlRestrictionsForm>([](TvlRestrictionsForm& d) {
    EXPECT_TRUE(d.Box(6)->isChecked());  // b's bits: the topmost selected
    for (int i = 0; i < 7; ++i) d.Box(i)->setChecked(i == 0 || i == 2);
    d.accept();
  });
  EXPECT_TRUE(vlDesignerDialogs().PropertyEditors["Restrictions"](*form, nullptr));
  EXPECT_EQ(a->Restrictions, rsDontEditMemo | rsDontEditContents);
  EXPECT_EQ(b->Restrictions, rsDontEditMemo | rsDontEditContents);
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u) << "no undo step";
  EXPECT_FALSE(form->GetModified());

  // Locked: the tag dialog refuses (it would block here if it opened).
  vlDesignerDialogs().EditObjectTag(*form, nullptr);
  EXPECT_EQ(b->Tag, "note");
  // The restrictions dialog still opens and takes the lock back.
  WhenShown<TvlRestrictionsForm>([](TvlRestrictionsForm& d) {
    d.Box(2)->setChecked(false);
    d.accept();
  });
  EXPECT_TRUE(vlDesignerDialogs().PropertyEditors["Restrictions"](*form, nullptr));
  EXPECT_EQ(b->Restrictions, rsDontEditMemo);
}

// Installed, the password prompt's buttons and hidden confirmation wording
// come from the string table.
TEST_F(DesignerTest, PasswordPromptTakesTheStringTableTexts) {
  vlInstallDesignerDialogs();
  TvlPasswForm prompt(vlStr(55653), vlStr(55654));
  EXPECT_EQ(prompt.findChild<QPushButton*>("OkBtn")->text(), vlStr(str::kOk));
  EXPECT_EQ(prompt.findChild<QPushButton*>("CancelBtn")->text(), vlStr(str::kCancel));
  EXPECT_EQ(prompt.Label2()->text(), "Retype password for validate");
  EXPECT_TRUE(prompt.Label2()->isHidden());
  EXPECT_TRUE(prompt.isMinimized() || prompt.minimumSize() == prompt.maximumSize()) << "fixed size";
}

TEST_F(DesignerTest, TemplateListNamesTemplateFilesOnly) {
  namespace fs = std::filesystem;
  const fs::path dir = Path("templates");
  fs::create_directories(dir / "x.vlt");  // a folder named like a template
  std::ofstream(dir / "notes.txt") << "no";
  TvlReport source;
  source.Pages.Add();
  vlSaveDesignerTemplate((dir / "Letter.vlt").string(), source, {{"A letter", "two lines"}, {}});
  vlSaveDesignerTemplate((dir / "Card.vlt").string(), source, {{"A card"}, {}});

  TvlTemplForm dialog(dir.string());
  ASSERT_EQ(dialog.List()->count(), 2);
  EXPECT_EQ(dialog.List()->item(0)->text(), "Card");
  EXPECT_EQ(dialog.List()->item(1)->text(), "Letter");
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  dialog.List()->setCurrentRow(1);
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  EXPECT_EQ(dialog.Comment()->text(), "A letter\ntwo lines");
  EXPECT_EQ(dialog.Result(), (dir / "Letter.vlt").string());

  TvlTemplForm empty(Path("missing"));
  EXPECT_EQ(empty.List()->count(), 0);
}

TEST_F(DesignerTest, PictureEditorLoadsClearsAndPastes) {
  TvlRaster raster;
  raster.Width = 4;
  raster.Height = 3;
  raster.Pixels.assign(12, 0xFF336699);
  const std::string bmp = vlEncodeBmp(raster);
  std::ofstream(Path("dot.bmp"), std::ios::binary) << bmp;
  std::ofstream(Path("bad.bmp"), std::ios::binary) << "not a bitmap";

  TvlGEditorForm dialog(TvlGraphic{});
  ASSERT_TRUE(dialog.LoadFile(Path("dot.bmp")));
  EXPECT_EQ(dialog.Picture().Kind, gkBitmap);
  const TvlGraphic loaded = dialog.Picture();
  EXPECT_FALSE(dialog.LoadFile(Path("bad.bmp")));
  EXPECT_EQ(dialog.Picture(), loaded) << "a bad file leaves the picture";
  EXPECT_EQ(Messages.Messages.size(), 1u);
  dialog.Clear();
  EXPECT_TRUE(dialog.Picture().Empty());

  QImage image(5, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QApplication::clipboard()->setImage(image);
  if (QApplication::clipboard()->image().isNull()) GTEST_SKIP() << "no clipboard on this platform";
  ASSERT_TRUE(dialog.Paste());
  TvlPictureView view;
  view.Picture = dialog.Picture();
  EXPECT_EQ(view.PictureWidth(), 5);
}

}  // namespace
}  // namespace vl
