// Writes the template and dictionary files that the command-line checks read:
// made by code from the shared sample template.

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/addins/barcode/barcode_addin.h"
#include "engine/model/report_data_sources.h"
#include "engine/addins/barcode/barcode_view.h"
#include "engine/model/object_factory.h"
#include "engine/model/print_sink.h"
#include "engine/model/views.h"
#include "engine/model/stream_writer.h"
#include "tests/model/sample_template.h"

using namespace vl;

namespace {

// A list over one dataset: a line per record, a total in the summary.
void MakeList(TvlReport& list, const std::string& dataset, const std::string& nameField, const std::string& total) {
  TvlPage& page = *list.Pages.Add();
  page.Name = "Page1";
  auto band = [&](std::uint8_t type, const char* name, int top, const std::string& source) {
    auto b = std::make_unique<TvlBandView>();
    b->Name = name;
    b->FrameTyp = type;
    b->Top = top;
    b->Height = 20;
    b->Width = 700;
    b->FormatText = source;
    page.Objects.push_back(std::move(b));
  };
  auto memo = [&](const char* name, int top, const std::string& text) {
    auto m = std::make_unique<TvlMemoView>();
    m->Name = name;
    m->Left = 40, m->Top = top, m->Width = 400, m->Height = 18;
    m->Flags = 0;
    m->Memo = {text};
    page.Objects.push_back(std::move(m));
  };
  band(btMasterData, "MasterData1", 60, dataset);
  memo("Line", 60, "[" + dataset + ".\"" + nameField + "\"]");
  band(btReportSummary, "ReportSummary1", 100, {});
  memo("Total", 100, total);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  TvlReport report;
  sample::Fill(report);
  report.SaveToFile(dir + "/sample.vlf");
  report.Dictionary.SaveToFile(dir + "/sample.vld");

  TvlStreamWriter w;
  report.SaveToStream(w);
  const std::string bytes = w.Bytes();
  vlWriteFileAtomically(dir + "/damaged.vlf", bytes.substr(0, bytes.size() / 2));
  std::string newer = bytes;
  newer[0] = 26;
  vlWriteFileAtomically(dir + "/newer.vlf", newer);

  report.PasswordProtected = true;
  report.Password = "pw";
  report.SaveToFile(dir + "/locked.vlf");
  report.PasswordProtected = false;
  report.Password.clear();

  // Views of add-in classes that the command-line tool does not register.
  for (const char* cls : {"TvlChartView", "TvlGaugeView"}) {
    vlAddIns().Register({cls, [] { return std::unique_ptr<TvlView>(new TvlMemoView()); }, {}});
    report.Pages[0]->Objects.push_back(vlCreateView(otAddIn, cls));
  }
  report.SaveToFile(dir + "/addins.vlf");

  // A prepared report of one envelope page holding a link, and the same file cut short.
  TvlPage envelope(27, 0, 0, -1, 1);
  report.EMFPages.Add(envelope);
  TvlStreamPrintSink sink(report.EMFPages[0].Stream);
  TvlMemoView link;
  link.Name = "URLHome";
  link.Memo = {"example.org"};
  link.Tag = "https://example.org/";
  link.Left = 40, link.Top = 30, link.Width = 200, link.Height = 20;
  link.Print(sink);
  report.SavePreparedReport(dir + "/sample.vlp");

  std::string prepared;
  vlReadFile(dir + "/sample.vlp", prepared);
  vlWriteFileAtomically(dir + "/damaged.vlp", prepared.substr(0, prepared.size() - 10));

  // Barcodes, which the command-line tool draws: a QR code on the first
  // page, a Code 128 on the second, then a Code 39 at 2:1 and at 3:1 and an
  // EAN-13.
  vlRegisterBarCodeView();
  TvlReport codes;
  const struct {
    std::uint8_t Symbology;
    const char* Code;
    std::int32_t Width, Height;
    double WideRatio = 2;
  } kCodes[] = {{bcQRCode, "Hello envelope", 110, 110},
                {bcCode128, "VL-2024-0001", 260, 60},
                {bcCode39, "VELLORA-42", 260, 60},
                {bcCode39, "VELLORA-42", 260, 60, 3},
                {bcEAN13, "400638133393", 200, 80}};
  for (const auto& c : kCodes) {
    auto view = vlCreateView(otAddIn, kBarCodeClassName);
    auto& code = static_cast<TvlBarCodeView&>(*view);
    code.Name = "Code" + std::to_string(codes.Pages.Count() + 1);
    code.Symbology = c.Symbology;
    code.Code = c.Code;
    code.WideRatio = c.WideRatio;
    code.Left = 40, code.Top = 40, code.Width = c.Width, code.Height = c.Height;
    codes.Pages.Add()->Objects.push_back(std::move(view));
  }
  codes.SaveToFile(dir + "/barcodes.vlf");

  // A merge: one DL envelope per record of the dataset "People", whose
  // master data band is too tall for two on a page, addressed to the
  // record's Name.
  TvlReport merge;
  TvlPage& page = *merge.Pages.Add();
  page.PaperSize = 27;
  page.Orientation = 1;
  page.ApplyPaper();
  page.Margins = {0, 0, 0, 0};
  auto band = std::make_unique<TvlBandView>();
  band->Name = "MasterData1";
  band->FrameTyp = btMasterData;
  band->Top = 0, band->Height = page.PaperMetrics.PaperHeightU / 2 + 20;  // one per page
  band->FormatText = "People";
  page.Objects.push_back(std::move(band));
  auto name = std::make_unique<TvlMemoView>();
  name->Name = "Addressee";
  name->Memo = {"To [People.\"Name\"]"};
  name->Left = 300, name->Top = 200, name->Width = 300, name->Height = 20;
  page.Objects.push_back(std::move(name));
  merge.SaveToFile(dir + "/merge.vlf");
  // An address list in a SQLite database, read through a query.
  sqlite3* db = nullptr;
  std::remove((dir + "/addresses.db").c_str());
  if (sqlite3_open((dir + "/addresses.db").c_str(), &db) != SQLITE_OK) return 1;
  const int rc = sqlite3_exec(db,
                              "CREATE TABLE people(id INTEGER, name TEXT, city TEXT, street TEXT, zip TEXT);"
                              "INSERT INTO people VALUES(2, 'Smith, John', 'Springfield, IL', '100 Main St', '62701');"
                              "INSERT INTO people VALUES(1, '张三', '深圳市', '科技园路1号', '518057');",
                              nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) return 1;

  // A list report that brings its own data (a CSV in a folder beside it), and
  // a list over the address list's name that prints no envelope field.
  std::filesystem::create_directories(dir + "/list/data");
  std::ofstream(dir + "/list/data/customers.csv") << "Name,Amount\nAnn,10\nBob,20\nCy,30\n";
  std::ofstream(dir + "/other_customers.csv") << "Name,Amount\nDee,2\nEd,3\n";
  TvlReport own;
  MakeList(own, "Customers", "Name", "Total [SUM([Customers.\"Amount\"])]");
  vlDataSourcesOf(own).Set({"Customers", std::filesystem::absolute(dir + "/list/data/customers.csv").string(), ""});
  own.SaveToFile(dir + "/list/list.vlf");
  vlDataSourcesOf(own).Set({"Customers", std::filesystem::absolute(dir + "/list/data/gone.csv").string(), ""});
  own.SaveToFile(dir + "/list/list_gone.vlf");
  TvlReport overAddresses;
  MakeList(overAddresses, "Addresses", "收件人", "Count [COUNT(MasterData1)]");
  overAddresses.SaveToFile(dir + "/address_list.vlf");
  return 0;
}
