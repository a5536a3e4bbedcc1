// A report that brings its own data, built through the designer's commands:
// a CSV data source added in the "Data sources…" dialog, Insert DB fields, a
// total, the preview over the source, save, reopen, and vlreport rendering
// the saved file without --dataset. Then the dialog's checks, and a missing
// source file said once.

#include <QButtonGroup>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "controls/flat_combo_box.h"
#include "engine/model/report_data_sources.h"
#include "controls/speed_button.h"
#include "designer/band_types_form.h"
#include "designer/chooser_list.h"
#include "designer/data_sources_form.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_data_sources.h"
#include "designer/dialogs_install.h"
#include "designer/insert_fields_dialog.h"
#include "designer/text_editor_form.h"
#include "engine/core/string_table.h"
#include "engine/formation/report_windows.h"
#include "engine/model/print_sink.h"
#include "engine/binding/globals.h"
#include "engine/binding/standard_library.h"
#include "engine/script/function_library.h"
#include "engine/model/stream_reader.h"
#include "tests/designer/designer_fixture.h"
#include "platform/qt/qt_text.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

class DataSourcesTest : public DesignerTest {
 protected:
  DataSourcesTest() : previousWindows_(vlReportWindows()) {
    vlInstallDataSources();
    // The program's own band type chooser and text editor.
    vlInstallTextEditor();
    const TvlDesignerDialogs kept = vlDesignerDialogs();
    vlInstallDesignerDialogs();
    const auto chooseBandType = vlDesignerDialogs().ChooseBandType;
    vlDesignerDialogs() = kept;
    vlDesignerDialogs().ChooseBandType = chooseBandType;
    // The engine as the programs start it: the globals and the functions
    // (SUM) a report calls.
    if (!vlGlobals()) globals_ = std::make_unique<TvlGlobals>();
    vlRegisterFunctionLibrary<TvlStdFunctionLibrary>();
    std::filesystem::create_directories(Path("job/data"));
    Csv = Path("job/data/customers.csv");
    std::ofstream(Csv) << "Name,City,Amount\nAnn Smith,Warsaw,10\nBob Jones,Oslo,20\nCy Young,Lisbon,30\n";
    // The preview window: the texts of the pages it is handed.
    vlReportWindows().ShowPreview = [this](TvlReport& report, const std::string&) {
      Previewed.clear();
      for (int i = 0; i < report.EMFPages.Count(); ++i) {
        TvlStreamReader r(report.EMFPages[i].Stream.Bytes(), true);
        r.ReadByte();
        while (!r.AtEnd()) {
          std::unique_ptr<TvlView> v = vlReadPrintedView(r);
          std::string text;
          for (const std::string& line : v->Memo) text += line;
          text.erase(std::remove(text.begin(), text.end(), '\x01'), text.end());
          if (!text.empty()) Previewed.push_back(text);
        }
      }
    };
  }
  ~DataSourcesTest() override { vlReportWindows() = previousWindows_; }

  // The "Data sources…" command, adding one source through its own dialog.
  void AddSource(const std::string& name, const std::string& file) {
    test::WhenShown<TvlDataSourcesForm>([this, name, file](TvlDataSourcesForm& d) {
      test::WhenShown<TvlDataSourceEditForm>([name, file](TvlDataSourceEditForm& e) {
        e.NameE->setText(QString::fromStdString(name));
        e.FileE->setText(QString::fromStdString(file));
        e.accept();
      });
      d.AddB->click();
      PreviewRows = d.PreviewT->rowCount();
      PreviewColumns = d.ColumnsL->text().toStdString();
      d.accept();
    });
    form->Command("DataSources")->trigger();
  }

  TvlSpeedButton* Tool(const char* name) { return form->findChild<TvlSpeedButton*>(QString::fromLatin1(name)); }

  std::vector<std::string> DataSetList() {
    TvlDesignFields fields(Report);
    return Report.Dictionary.GetDataSetList();
  }

  std::string Csv;
  std::vector<std::string> Previewed;
  int PreviewRows = -1;
  std::string PreviewColumns;

 private:
  TvlReportWindows previousWindows_;
  std::unique_ptr<TvlGlobals> globals_;
};

std::string RunProgram(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return p.readAllStandardOutput().toStdString();
}

TEST_F(DataSourcesTest, AListReportOverItsOwnCsvEndToEnd) {
  Open();
  form->Options.GridSize = 8;
  EXPECT_TRUE(DataSetList().empty()) << "nothing before a source is added";
  AddSource("Customers", Csv);
  EXPECT_EQ(PreviewRows, 3) << "the preview shows the first rows";
  EXPECT_EQ(PreviewColumns, "3 columns: Name, City, Amount");
  ASSERT_EQ(vlDataSourcesOf(Report).Items.size(), 1u);
  EXPECT_EQ(vlDataSourcesOf(Report).Items[0], (TvlReportDataSource{"Customers", Csv, ""}));
  EXPECT_TRUE(form->GetModified());
  EXPECT_EQ(DataSetList(), std::vector<std::string>{"Customers"}) << "the dictionary lists it by its one name";

  // Insert DB fields: every field, no headers, a data band.
  test::WhenShown<TvlInsertFieldsForm>([](TvlInsertFieldsForm& d) {
    const int index = d.DatasetCB->findText(QStringLiteral("Customers"));
    ASSERT_GE(index, 0);
    d.DatasetCB->setCurrentIndex(index);
    d.FieldsL->selectAll();
    d.HeaderCB->setChecked(false);
    d.BandCB->setChecked(true);
    d.accept();
  });
  form->Command("Tool." + vlLoadStr(55305))->trigger();
  TvlView* master = nullptr;
  TvlMemoView* name = nullptr;
  for (const auto& v : form->Page->Objects) {
    if (v->Typ == otBand && v->FrameTyp == btMasterData) master = v.get();
    if (v->Typ == otMemo && v->Memo == std::vector<std::string>{"[Customers.\"Name\"]"})
      name = static_cast<TvlMemoView*>(v.get());
  }
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->FormatText, "Customers") << "the band stores the name the designer lists";
  ASSERT_NE(name, nullptr);
  QFont font(vlToQt(name->Font.Name));
  font.setPointSize(name->Font.Size);
  EXPECT_GE(name->Width, QFontMetrics(font, form->Surface()).horizontalAdvance(QStringLiteral("Bob Jones")))
      << "the column is as wide as its values";

  // A total in a summary band, through the objects toolbar: the band tool
  // asks the band's type, the text tool opens the text editor.
  const int summaryTop = master->Top + master->Height + 40;
  test::WhenShown<TvlBandTypesForm>([](TvlBandTypesForm& d) {
    d.Buttons()->button(btReportSummary)->click();
    d.accept();
  });
  Tool("OB3")->Click();
  Click(QPoint(master->Left + 20, summaryTop));
  TvlView* summary = form->Selection().empty() ? nullptr : form->Selection().front();
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->FrameTyp, btReportSummary);
  EXPECT_EQ(summary->Width, master->Width) << "a band spans the page";
  test::WhenShown<TvlEditorForm>([](TvlEditorForm& e) {
    QTest::keyClicks(e.M1, QStringLiteral("Total [SUM([Customers.\"Amount\"])]"));
    e.OkBtn->Click();
  });
  Tool("OB2")->Click();
  Click(QPoint(40, summary->Top + 2));
  ASSERT_EQ(form->SelectionCount(), 1);
  TvlView* total = form->Selection().front();
  EXPECT_EQ(total->Memo, std::vector<std::string>{"Total [SUM([Customers.\"Amount\"])]"});
  EXPECT_EQ(total->Top, summary->Top) << "inside the band";

  form->Command("Preview")->trigger();
  std::string shown;
  for (const std::string& text : Previewed) shown += "[" + text + "] ";
  for (const char* expected : {"Ann Smith", "Warsaw", "Cy Young", "Total 60"})
    EXPECT_NE(std::find(Previewed.begin(), Previewed.end(), expected), Previewed.end()) << expected << " in " << shown;

  // Save beside the data, reopen: the source comes back and is listed.
  SaveAnswer = Path("job/list.vlf");
  ASSERT_TRUE(form->SaveAs());
  ASSERT_TRUE(form->New());
  EXPECT_TRUE(vlDataSourcesOf(Report).Empty());
  EXPECT_TRUE(DataSetList().empty()) << "the old report's source went with it";
  OpenAnswer = Path("job/list.vlf");
  ASSERT_TRUE(form->Open());
  ASSERT_EQ(vlDataSourcesOf(Report).Items.size(), 1u);
  EXPECT_EQ(vlDataSourcesOf(Report).Items[0].FileName, Csv);
  EXPECT_EQ(DataSetList(), std::vector<std::string>{"Customers"});
  EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front().Text;

  // vlreport renders the saved file over its own source: the preview's texts,
  // and the very text of a rendering given the source by hand.
  auto render = [this](const char* pdfName, QStringList more) {
    const QString pdf = QString::fromStdString(Path(pdfName));
    QStringList args{QStringLiteral("render"), QString::fromStdString(Path("job/list.vlf")), QStringLiteral("--pdf"),
                     pdf};
    RunProgram(QStringLiteral(VL_VLREPORT), args + more);
    return RunProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  };
  const std::string text = render("own.pdf", {});
  ASSERT_FALSE(Previewed.empty());
  for (const std::string& previewed : Previewed) EXPECT_NE(text.find(previewed), std::string::npos) << previewed;
  EXPECT_EQ(text, render("given.pdf", {QStringLiteral("--dataset"), QString::fromStdString("Customers=" + Csv)}));
}

// Each change made in the dialog is one undo step, and what the designer
// lists follows Undo and Redo.
TEST_F(DataSourcesTest, AddingEditingAndRemovingASourceAreOneUndoStepEach) {
  std::filesystem::copy_file(Csv, Path("job/data/other.csv"));
  Open();
  auto runDialog = [this](std::function<void(TvlDataSourcesForm&)> act) {
    test::WhenShown<TvlDataSourcesForm>([act](TvlDataSourcesForm& d) {
      act(d);
      d.accept();
    });
    form->Command("DataSources")->trigger();
  };
  AddSource("Customers", Csv);
  ASSERT_EQ(DataSetList(), std::vector<std::string>{"Customers"});
  runDialog([this](TvlDataSourcesForm& d) {
    d.ListL->setCurrentRow(0);
    test::WhenShown<TvlDataSourceEditForm>([this](TvlDataSourceEditForm& e) {
      e.NameE->setText(QStringLiteral("Clients"));
      e.FileE->setText(QString::fromStdString(Path("job/data/other.csv")));
      e.accept();
    });
    d.EditB->click();
  });
  ASSERT_EQ(DataSetList(), std::vector<std::string>{"Clients"});
  runDialog([](TvlDataSourcesForm& d) {
    d.ListL->setCurrentRow(0);
    d.RemoveB->click();
  });
  ASSERT_TRUE(vlDataSourcesOf(Report).Empty());
  runDialog([](TvlDataSourcesForm&) {});  // OK without a change
  ASSERT_EQ(form->UndoBuffers.UndoSteps.Count(), 3u) << "no step for nothing";

  using Sources = std::vector<TvlReportDataSource>;
  const Sources added{{"Customers", Csv, ""}}, edited{{"Clients", Path("job/data/other.csv"), ""}};
  const struct {
    const char* Command;
    Sources Now;
    std::vector<std::string> Listed;
  } steps[] = {
      {"Undo", edited, {"Clients"}}, {"Undo", added, {"Customers"}}, {"Undo", {}, {}},
      {"Redo", added, {"Customers"}}, {"Redo", edited, {"Clients"}}, {"Redo", {}, {}},
  };
  for (const auto& step : steps) {
    form->Command(step.Command)->trigger();
    EXPECT_EQ(vlDataSourcesOf(Report).Items, step.Now) << step.Command;
    EXPECT_EQ(DataSetList(), step.Listed) << step.Command;
  }
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(DataSourcesTest, AMissingSourceFileIsSaidOnceAndTheTemplateOpens) {
  Report.Pages.Add();
  vlDataSourcesOf(Report).Set({"Customers", Path("job/data/gone.csv"), ""});
  vlDataSourcesOf(Report).Set({"Present", Csv, ""});
  Report.SaveToFile(Path("job/gone.vlf"));
  Report.Clear();
  Open();
  OpenAnswer = Path("job/gone.vlf");
  Messages.Messages.clear();
  ASSERT_TRUE(form->Open());
  ASSERT_EQ(Messages.Messages.size(), 1u);
  EXPECT_NE(Messages.Messages[0].Text.find("Customers: " + Path("job/data/gone.csv") + " is missing"),
            std::string::npos);
  EXPECT_EQ(vlDataSourcesOf(Report).Items.size(), 2u) << "kept, so a later save loses nothing";
  EXPECT_EQ(DataSetList(), std::vector<std::string>{"Present"});
  form->Command("Preview")->trigger();
  EXPECT_EQ(Messages.Messages.size(), 1u) << "said once, not again for the preview";
}

TEST_F(DataSourcesTest, TheSourceDialogRefusesWhatCannotWork) {
  TvlReportDataSources sources;
  sources.Set({"Customers", Csv, ""});
  TvlDataSourcesForm list(sources);
  const struct {
    const char *Name, *File, *Complaint;
  } cases[] = {
      {"", "job/data/customers.csv", "Name: give the source a name"},
      {"Cust.omers", "job/data/customers.csv", "Name: give the source a name"},
      {"customers2", "", "File: choose the file"},
      {"Other", "job/data/none.csv", "none.csv"},
  };
  for (const auto& c : cases) {
    Messages.Messages.clear();
    TvlDataSourceEditForm edit({}, [&](const std::string& n) { return sources.Find(n) != nullptr; });
    edit.show();
    edit.NameE->setText(QString::fromLatin1(c.Name));
    edit.FileE->setText(c.File[0] ? QString::fromStdString(Path(c.File)) : QString());
    edit.accept();
    EXPECT_TRUE(edit.isVisible()) << c.Name << ": stays open";
    ASSERT_EQ(Messages.Messages.size(), 1u) << c.Name;
    EXPECT_NE(Messages.Messages[0].Text.find(c.Complaint), std::string::npos) << Messages.Messages[0].Text;
  }
  // A taken name is refused; the list's Remove and the preview follow the choice.
  Messages.Messages.clear();
  TvlDataSourceEditForm taken({}, [&](const std::string& n) { return sources.Find(n) != nullptr; });
  taken.show();
  taken.NameE->setText(QStringLiteral("Customers"));
  taken.FileE->setText(QString::fromStdString(Csv));
  taken.accept();
  EXPECT_TRUE(taken.isVisible());
  EXPECT_EQ(list.PreviewT->rowCount(), 3);
  list.RemoveB->click();
  EXPECT_TRUE(list.Sources().Empty());
  EXPECT_EQ(list.PreviewT->rowCount(), 0);
  EXPECT_FALSE(list.RemoveB->isEnabled());
}

}  // namespace
}  // namespace vl
