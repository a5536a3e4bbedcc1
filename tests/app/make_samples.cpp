// Writes the template and dictionary files that the command-line checks read:
// made by code from the shared sample template.

#include <cstdio>
#include <string>

#include "engine/addins/barcode/barcode_addin.h"
#include "engine/addins/barcode/barcode_view.h"
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
  // page, a Code 128 on the second.
  vlRegisterBarCodeView();
  TvlReport codes;
  const struct {
    std::uint8_t Symbology;
    const char* Code;
    std::int32_t Width, Height;
  } kCodes[] = {{bcQRCode, "Hello envelope", 110, 110}, {bcCode128, "VL-2024-0001", 260, 60}};
  for (const auto& c : kCodes) {
    auto view = vlCreateView(otAddIn, kBarCodeClassName);
    auto& code = static_cast<TvlBarCodeView&>(*view);
    code.Name = "Code" + std::to_string(codes.Pages.Count() + 1);
    code.Symbology = c.Symbology;
    code.Code = c.Code;
    code.Left = 40, code.Top = 40, code.Width = c.Width, code.Height = c.Height;
    codes.Pages.Add()->Objects.push_back(std::move(view));
  }
  codes.SaveToFile(dir + "/barcodes.vlf");
  return 0;
}
