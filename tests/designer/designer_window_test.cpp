// The designer window: files, the save-changes question, restrictions,
// settings kept between windows, pages and the status bar.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabBar>
#include <filesystem>

#include "controls/speed_button.h"
#include "engine/core/error.h"
#include "controls/tool_bar.h"
#include "designer/designer_clipboard.h"
#include "designer/designer_install.h"
#include "designer/db_fields_window.h"
#include "designer/designer_status_bar.h"
#include "designer/designer_template_file.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

const std::string kEnvelope = std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf";

QJsonObject Info(const std::string& path) {
  QProcess tool;
  tool.start(QStringLiteral(VL_VLREPORT), {QStringLiteral("info"), QString::fromStdString(path)});
  EXPECT_TRUE(tool.waitForFinished(30000));
  return QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
}

TEST_F(DesignerTest, OpenChangeThroughACommandSaveAsAndReopen) {
  const std::string copy = Path("1.vlf");
  fs::copy_file(kEnvelope, copy);
  Open();
  OpenAnswer = copy;
  ASSERT_TRUE(form->Open());
  EXPECT_EQ(form->DocumentName, copy);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Designer - 1.vlf"));
  EXPECT_FALSE(form->GetModified());
  EXPECT_FALSE(form->Command("Save")->isEnabled()) << "nothing to save yet";

  const std::string name = form->Page->Objects.back()->Name;
  form->SelectObject(name);
  ASSERT_EQ(form->SelectionCount(), 1);
  Key(Qt::Key_D, Qt::ControlModifier);  // no frame lines
  EXPECT_TRUE(form->GetModified());
  EXPECT_TRUE(form->Command("Save")->isEnabled());

  SaveAnswer = Path("changed");  // the filter's extension is added
  ASSERT_TRUE(form->SaveAs());
  EXPECT_EQ(form->DocumentName, Path("changed.vlf"));
  EXPECT_FALSE(form->GetModified());

  const QJsonObject before = Info(kEnvelope), after = Info(Path("changed.vlf"));
  const QJsonArray a = before[QStringLiteral("Objects")].toArray(), b = after[QStringLiteral("Objects")].toArray();
  ASSERT_FALSE(a.isEmpty()) << "vlreport info gave no objects";
  ASSERT_EQ(a.size(), b.size());
  for (int i = 0; i < a.size(); ++i) {
    QJsonObject x = a[i].toObject(), y = b[i].toObject();
    if (y[QStringLiteral("Name")].toString().toStdString() == name) {
      EXPECT_EQ(y[QStringLiteral("FrameTyp")].toInt(), 0);
      x.remove(QStringLiteral("FrameTyp"));
      y.remove(QStringLiteral("FrameTyp"));
    }
    EXPECT_EQ(x, y) << "object " << i << " changed";
  }
  EXPECT_EQ(before[QStringLiteral("Pages")], after[QStringLiteral("Pages")]);
}

TEST_F(DesignerTest, SaveChangesQuestionOnClose) {
  struct Case {
    TvlMsgResult Answer;
    bool Closes;
    bool Saved;
  };
  for (const Case c : {Case{TvlMsgResult::Cancel, false, false}, Case{TvlMsgResult::No, true, false},
                       Case{TvlMsgResult::Yes, true, true}}) {
    fs::copy_file(kEnvelope, Path("q.vlf"), fs::copy_options::overwrite_existing);
    Report.LoadFromFile(Path("q.vlf"));
    Open();
    Messages.Messages.clear();
    form->SelectAll();
    form->FitToGrid();
    ASSERT_TRUE(form->GetModified());
    Messages.Answers = {c.Answer};
    form->close();
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Text, "Save changes to q.vlf?");
    EXPECT_EQ(Messages.Messages[0].Caption, "Confirm");
    EXPECT_EQ(Messages.Messages[0].Buttons, TvlMsgButtons::YesNoCancel);
    EXPECT_EQ(form->isVisible(), !c.Closes);
    EXPECT_EQ(form->GetModified(), !c.Saved);
    form.reset();
  }
  // A report that is not modified closes without a question.
  Open();
  Messages.Messages.clear();
  form->close();
  EXPECT_TRUE(Messages.Messages.empty());
  EXPECT_FALSE(form->isVisible());
}

TEST_F(DesignerTest, YesOnAnUntitledReportGoesThroughSaveAsAndCancellingKeepsTheWindow) {
  Open();
  AddMemo("Memo1", 10, 10);
  form->SelectAll();
  form->FitToGrid();
  Messages.Answers = {TvlMsgResult::Yes};
  form->close();  // the save dialog is cancelled (no answer)
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->GetModified());
}

TEST_F(DesignerTest, AFailedSaveKeepsTheWindowOpenAndModified) {
  fs::copy_file(kEnvelope, Path("s.vlf"));
  Report.LoadFromFile(Path("s.vlf"));
  Open();
  form->DocumentName = Path("missing-folder/s.vlf");
  form->SelectAll();
  form->FitToGrid();
  Messages.Answers = {TvlMsgResult::Yes};
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->GetModified());
  ASSERT_EQ(Messages.Messages.size(), 2u);
  EXPECT_EQ(Messages.Messages[1].Caption, "Error");
}

TEST_F(DesignerTest, OpeningADamagedFileKeepsTheCurrentTemplate) {
  AddMemo("Kept", 8, 8);
  Open();
  const std::string before = Bytes();
  QFile damaged(QString::fromStdString(Path("damaged.vlf")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray("\x19\x00\x00\x01\x00", 5) + QByteArray(40, '\xff'));
  damaged.close();
  OpenAnswer = Path("damaged.vlf");
  EXPECT_FALSE(form->Open());
  ASSERT_FALSE(Messages.Messages.empty());
  EXPECT_EQ(Messages.Messages.back().Text, Path("damaged.vlf") + ": Unsupported VLF format") << "names the file";
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(form->DocumentName, "Untitled");
  ASSERT_NE(form->Page, nullptr);
  EXPECT_NE(form->Page->FindObject("Kept"), nullptr);
}

TEST_F(DesignerTest, DictionaryFilesOpenAndSaveWithoutTouchingTheDocument) {
  Report.Dictionary.Variables.Set("Total", TvlValue(std::string("1+1")));
  Report.Dictionary.SaveToFile(Path("d.vld"));
  Report.Dictionary.Variables.Clear();
  Open();
  OpenAnswer = Path("d.vld");
  OpenFilter = 2;
  EXPECT_FALSE(form->Open());
  EXPECT_EQ(Report.Dictionary.Variables.Count(), 1);
  EXPECT_EQ(form->DocumentName, "Untitled");
  EXPECT_FALSE(form->GetModified());
  SaveAnswer = Path("e");
  SaveFilter = 3;
  form->SetModified(true);
  EXPECT_FALSE(form->SaveAs()) << "a dictionary is not the report";
  EXPECT_TRUE(fs::exists(Path("e.vld")));
  EXPECT_TRUE(form->GetModified());
}

TEST_F(DesignerTest, DesignerTemplatesRoundTrip) {
  AddMemo("FromTemplate", 16, 24);
  Open();
  TvlDesigner host;
  host.TemplateDir = Scratch.path().toStdString();
  vlDesignerDialogs().NewTemplate = [](QWidget*, TvlDesignerTemplateInfo& info) {
    info.Description = {"Letter", "two lines"};
    return true;
  };
  form->SetModified(true);
  SaveAnswer = "/elsewhere/letter";
  SaveFilter = 2;
  ASSERT_TRUE(form->SaveAs());
  EXPECT_EQ(form->DocumentName, "Untitled") << "a designer template is not the document";
  EXPECT_FALSE(form->GetModified());
  const std::string vlt = Path("letter.vlt");
  ASSERT_TRUE(fs::exists(vlt)) << "written into the template folder";
  EXPECT_EQ(vlReadDesignerTemplateInfo(vlt).Description, (std::vector<std::string>{"Letter", "two lines"}));

  ASSERT_TRUE(form->New());
  EXPECT_EQ(form->Page->Objects.size(), 0u);
  std::string folderSeen;
  vlDesignerDialogs().NewReport = [&](QWidget*, const std::string& dir, std::string& path) {
    folderSeen = dir;
    path = vlt;
    return true;
  };
  ASSERT_TRUE(form->NewFromTemplate());
  EXPECT_EQ(folderSeen, host.TemplateDir);
  ASSERT_EQ(form->Page->Objects.size(), 1u);
  EXPECT_EQ(form->Page->Objects[0]->Name, "FromTemplate");
  EXPECT_EQ(form->Page->Objects[0]->Top, 24);
}

TEST_F(DesignerTest, ARestrictionDisablesAndHidesItsCommand) {
  DesignRestrictions() = dsNoOpenReport | dsNoPreview;
  Open();
  EXPECT_FALSE(form->Command("Open")->isEnabled());
  EXPECT_FALSE(form->Command("Preview")->isEnabled());
  EXPECT_TRUE(form->Command("AddPage")->isEnabled());
  for (QWidget* c : form->ToolBar("Standard")->Controls()) {
    if (auto* b = dynamic_cast<TvlSpeedButton*>(c); b && b->Action() == form->Command("Open")) {
      EXPECT_FALSE(b->isVisible()) << "hidden while HideDisabledButtons";
    }
  }
  OpenAnswer = kEnvelope;
  EXPECT_FALSE(form->Open()) << "the command itself refuses too";
  EXPECT_EQ(form->DocumentName, "Untitled");
  form.reset();
  // A prepared page's designer offers no file or page commands at all.
  DesignRestrictions() = 0;
  Open(false);
  for (const char* c : {"New", "Open", "Preview", "AddPage", "RemovePage", "ReportOptions"})
    EXPECT_FALSE(form->Command(c)->isEnabled()) << c;
}

TEST_F(DesignerTest, SettingsSurviveANewWindow) {
  Open();
  form->Options.GridSize = 8;
  form->Options.GridShow = false;
  form->Options.Units = unMM;
  form->ToolBar("Objects")->FloatAt(300, 200);
  form->done(1);
  form.reset();
  const std::string key = vlDesignerFormKey();
  EXPECT_EQ(Settings.ReadString(key, "GridSize", ""), "8");
  EXPECT_EQ(Settings.ReadString(key, "GridShow", ""), "0");
  Open();
  EXPECT_EQ(form->Options.GridSize, 8);
  EXPECT_FALSE(form->Options.GridShow);
  EXPECT_FALSE(form->Command("Grid")->isChecked());
  EXPECT_EQ(form->StatusBar()->Units, QStringLiteral("MM"));
  EXPECT_TRUE(form->ToolBar("Objects")->Floating());
  // Values that do not read fall back to their defaults.
  form->done(1);
  form.reset();
  Settings.WriteString(key, "GridSize", "0");
  Settings.WriteString(key, "GridAlign", "yes");
  Open();
  EXPECT_EQ(form->Options.GridSize, 4);
  EXPECT_TRUE(form->Options.GridAlign);
}

TEST_F(DesignerTest, RecentFilesAreKept) {
  fs::copy_file(kEnvelope, Path("r.vlf"));
  Open();
  ASSERT_TRUE(form->OpenFile(Path("r.vlf")));
  form->done(1);
  form.reset();
  Open();
  ASSERT_EQ(form->RecentFiles().size(), 1u);
  EXPECT_EQ(form->RecentFiles()[0], fs::canonical(Path("r.vlf")).string());
}

TEST_F(DesignerTest, PagesAddRemoveAndTabCaptions) {
  Open();
  form->RemovePage();
  EXPECT_EQ(Report.Pages.Count(), 1) << "the only page stays";
  vlDesignerDialogs().PageOptions = [](QWidget*, TvlPage&) { return false; };
  form->AddPage();
  EXPECT_EQ(Report.Pages.Count(), 1) << "cancelled page options take the page back";
  EXPECT_EQ(form->CurPage(), 0);
  vlDesignerDialogs().PageOptions = nullptr;
  form->AddPage();
  form->AddDialogPage();
  ASSERT_EQ(Report.Pages.Count(), 3);
  EXPECT_EQ(Report.Pages[2]->PageType, ptDialog);
  EXPECT_EQ(form->CurPage(), 2);
  EXPECT_EQ(form->Tabs()->count(), 3);
  EXPECT_EQ(form->Tabs()->tabText(1), QStringLiteral("Page2"));

  // A sub-report names the tab of its page until it is deleted.
  form->SetCurrentPage(0);
  auto sub = std::make_unique<TvlSubReportView>();
  sub->Name = "SubReport1";
  sub->TargetPage = 1;
  sub->Width = sub->Height = 40;
  Report.Pages[0]->Objects.push_back(std::move(sub));
  form->RefreshTabCaptions();
  EXPECT_EQ(form->Tabs()->tabText(1), QStringLiteral("SubReport1"));
  form->SelectObject("SubReport1");
  form->Delete();
  EXPECT_EQ(form->Tabs()->tabText(1), QStringLiteral("Page2"));

  Messages.Answers = {TvlMsgResult::Yes};
  form->SetCurrentPage(1);
  form->RemovePage();
  EXPECT_EQ(Report.Pages.Count(), 2);
  EXPECT_EQ(Messages.Messages.back().Text, "Remove this page?");
  EXPECT_EQ(form->CurPage(), 0);

  // Page changes are undone like object changes, tabs and all.
  form->Undo();
  ASSERT_EQ(Report.Pages.Count(), 3);
  EXPECT_EQ(form->Tabs()->count(), 3);
  EXPECT_EQ(form->Page, Report.Pages[0]);
  form->SetCurrentPage(2);
  form->Redo();
  EXPECT_EQ(Report.Pages.Count(), 2);
  EXPECT_EQ(form->Tabs()->count(), 2);
  EXPECT_EQ(form->CurPage(), 1) << "the nearest page that is left";
}

TEST_F(DesignerTest, TheStatusBarShowsTheSelectionAfterAnInsertAndADrag) {
  AddMemo("A", 40, 200, 72, 36);
  AddMemo("B", 200, 200, 40, 20);
  Open();
  form->Options.EditAfterInsert = false;
  TvlDesignerStatusBar& bar = *form->StatusBar();
  // Insert an object: the status bar followed the frame as it was drawn.
  form->SetTool(otMemo);
  Drag(QPoint(300, 300), QPoint(380, 340));
  // Then select A by a click and drag it: its own left/top and size show.
  Click(QPoint(50, 210));
  EXPECT_EQ(bar.Position, QStringLiteral("40;200"));
  EXPECT_EQ(bar.Size, QStringLiteral("72;36"));
  Drag(QPoint(50, 210), QPoint(70, 230));
  const TvlView& a = *form->Page->FindObject("A");
  EXPECT_EQ(bar.Position, QString::number(a.Left) + QLatin1Char(';') + QString::number(a.Top));
  EXPECT_EQ(bar.Size, QStringLiteral("72;36"));
  // Two selected: the group's left/top and width/height.
  form->SelectAll();
  form->UpdateStatus();
  EXPECT_FALSE(bar.Size.isEmpty());
}

TEST_F(DesignerTest, UnitsPanelCyclesAndShowsTheSelection) {
  AddMemo("Memo1", 36, 18, 72, 36)->Memo = {"Hello", "World"};
  Open();
  form->SelectObject("Memo1");
  TvlDesignerStatusBar& bar = *form->StatusBar();
  EXPECT_EQ(bar.Position, QStringLiteral("36;18"));
  EXPECT_EQ(bar.Size, QStringLiteral("72;36"));
  EXPECT_EQ(bar.Name, QStringLiteral("Memo1: Hello"));
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 5), QPointF(10, 5), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(&bar, &dbl);
  EXPECT_EQ(bar.Units, QStringLiteral("MM"));
  EXPECT_EQ(bar.Position, QStringLiteral("10; 5"));
  EXPECT_EQ(bar.Size, QStringLiteral("20; 10"));
  QApplication::sendEvent(&bar, &dbl);
  EXPECT_EQ(bar.Units, QStringLiteral("Inches"));
  QApplication::sendEvent(&bar, &dbl);
  EXPECT_EQ(bar.Units, QStringLiteral("Pixels"));
}

TEST_F(DesignerTest, SecondHostComponentIsRefused) {
  TvlDesigner first;
  EXPECT_EQ(vlDesignerComponent(), &first);
  EXPECT_THROW(TvlDesigner second, TvlError);
  EXPECT_EQ(vlDesignerComponent(), &first);
}

// The DB fields window hangs on the "ToolBar.Fields" command: its menu item
// toggles it, the Insert key on a report page only ever opens it.
TEST_F(DesignerTest, TheInsertKeyOpensTheFieldsWindowAndNeverClosesIt) {
  Open();
  std::vector<bool> requests;
  QObject::connect(form->Command("ToolBar.Fields"), &QAction::triggered, [&](bool on) { requests.push_back(on); });
  QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
  QApplication::sendEvent(form->Surface(), &insert);
  QApplication::sendEvent(form->Surface(), &insert);
  EXPECT_EQ(requests, (std::vector<bool>{true, true}));
  form->Command("ToolBar.Fields")->trigger();
  EXPECT_EQ(requests.back(), false) << "the menu item closes it";
}

// Installed, the designer's commands reach the dictionary windows: the
// menu item opens the DB fields window and closes it again, and the
// dictionary, field and expression entries are filled.
TEST_F(DesignerTest, InstalledDesignerOpensAndClosesTheFieldsWindow) {
  vlInstallDesigner();
  Open();
  const auto& d = vlDesignerDialogs();
  EXPECT_TRUE(d.DataDictionary && d.ChooseField && d.BuildExpression && d.DraggedField);
  QAction* fields = form->Command("ToolBar.Fields");
  fields->setChecked(true);
  emit fields->triggered(true);
  ASSERT_NE(TvlInsFieldsForm::Instance(), nullptr);
  EXPECT_EQ(TvlInsFieldsForm::Instance()->parentWidget(), form.get());
  fields->setChecked(false);
  emit fields->triggered(false);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(TvlInsFieldsForm::Instance(), nullptr);
  form->Menu("Toolbars")->aboutToShow();
  EXPECT_FALSE(fields->isChecked());
}

// The help tool: the next click on a button opens the guide at 400 + its tag
// (430 + tag on the objects toolbar); F1 opens the contents.
TEST_F(DesignerTest, TheHelpToolShowsTheClickedButtonsSection) {
  std::vector<int> contexts;
  vlDesignerDialogs().ShowHelp = [&](int context) { contexts.push_back(context); };
  Open();
  auto click = [](QWidget* w) {
    ASSERT_NE(w, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  };
  form->Command("HelpTool")->trigger();
  click(form->findChild<QWidget*>(QStringLiteral("SaveButton")));
  form->Command("HelpTool")->trigger();
  click(form->findChild<QWidget*>(QStringLiteral("OB3")));  // the band tool, tag 2
  form->Command("HelpContents")->trigger();
  EXPECT_EQ(contexts, (std::vector<int>{403, 432, 0}));
  EXPECT_FALSE(form->GetModified()) << "the clicks ran no command";

  // Every button's section is in the user guide.
  QFile guide(QStringLiteral(VL_SOURCE_DIR "/app/data/help/vluser.html"));
  ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
  const QByteArray html = guide.readAll();
  std::vector<int> wanted;
  for (QWidget* c : form->ToolBar("Standard")->Controls())
    if (auto* b = dynamic_cast<TvlSpeedButton*>(c)) wanted.push_back(400 + b->Tag);
  for (int tag = -1; tag <= 5; ++tag) wanted.push_back(430 + tag);
  for (int context : wanted) EXPECT_TRUE(html.contains("id=\"context-" + QByteArray::number(context) + "\"")) << context;
}

TEST(DesignerExpression, BracketsUnlessOneBracketedPart) {
  EXPECT_EQ(vlBracketExpression("[a]"), "[a]");
  EXPECT_EQ(vlBracketExpression("[a] + [b]"), "[[a] + [b]]");
  EXPECT_EQ(vlBracketExpression("1+2"), "[1+2]");
  EXPECT_EQ(vlBracketExpression(""), "");
}

}  // namespace
}  // namespace vl
