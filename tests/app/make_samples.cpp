// Writes the template and dictionary files that the command-line checks read:
// made by code from the shared sample template.

#include <cstdio>
#include <string>

#include "engine/model/object_factory.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_writer.h"
#include "tests/model/sample_template.h"

using namespace vl;

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
  for (const char* cls : {"TvlChartView", "TvlBarcodeView"}) {
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
  return 0;
}
