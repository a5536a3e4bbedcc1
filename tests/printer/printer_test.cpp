#include <gtest/gtest.h>

#include "engine/core/string_table.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "engine/core/language.h"

namespace vl {
namespace {

TEST(PaperTable, HasSixtySevenNamedRows) {
  EXPECT_EQ(vlPaperTable().size(), 67u);
  EXPECT_EQ(vlFindPaper(48), nullptr);
  EXPECT_EQ(vlFindPaper(49), nullptr);
  for (const TvlPaperSize& p : vlPaperTable()) EXPECT_FALSE(vlPaperName(p.Code).empty()) << p.Code;
  EXPECT_EQ(vlPaperName(9), "A4 210 x 297 mm");
  EXPECT_EQ(vlPaperName(256), "Custom");
  EXPECT_EQ(vlFindPaper(27)->WidthTenths, 1100);
}

TEST(VirtualPrinter, AnswersToItsEnglishNameInChinese) {
  vlSetLanguage(TvlLanguage::Chinese);
  TvlMemoryPrinter none;
  TvlPrinter p(&none);
  vlSetLanguage(TvlLanguage::English);
  EXPECT_EQ(p.PrinterList, std::vector<std::string>{"虚拟打印机"});
  EXPECT_EQ(p.IndexOfPrinter("虚拟打印机"), p.VirtualIndex);
  EXPECT_EQ(p.IndexOfPrinter("Virtual printer"), p.VirtualIndex);
  EXPECT_EQ(p.IndexOfPrinter("Virtual"), -1);
}

TEST(VirtualPrinter, IsTheOnlyPrinterWithoutPlatformPrinters) {
  TvlMemoryPrinter none;
  TvlPrinter p(&none);
  EXPECT_EQ(p.PrinterList, std::vector<std::string>{"Virtual printer"});
  EXPECT_EQ(p.VirtualIndex, 0);
  EXPECT_TRUE(p.IsVirtual());
  EXPECT_EQ(p.PaperCode, -1);  // the first paper request always applies
  EXPECT_EQ(p.PaperCodes.size(), 67u);
  EXPECT_EQ(p.BinCodes, std::vector<std::int32_t>{-1});
  EXPECT_EQ(p.BinNameList, std::vector<std::string>{"Default"});

  ASSERT_TRUE(p.SetPaper(9, 2100, 2970, 0, -1, false));
  TvlPaperMetrics m;
  p.FillMetrics(m);
  EXPECT_EQ(m.PaperWidthU, 758);
  EXPECT_EQ(m.PaperHeightU, 1071);
  EXPECT_EQ(m.OffsetXU, 18);
  EXPECT_EQ(m.OffsetYU, 18);
  EXPECT_EQ(m.PrintableWidthU, 722);
  EXPECT_EQ(m.PrintableHeightU, 1035);
  EXPECT_EQ(m.PaperWidthPx, 0);  // pixel fields are left as they were

  // Landscape takes the table's size turned, whatever width and height were asked.
  p.SetPaper(9, 0, 0, 1, -1, false);
  EXPECT_EQ(p.PaperWidthTenths, 2970);
  EXPECT_EQ(p.PaperHeightTenths, 2100);
  EXPECT_EQ(p.Landscape, 1);
}

TEST(VirtualPrinter, CustomSizesWithinATenthAreTheCurrentPaper) {
  TvlMemoryPrinter none;
  TvlPrinter p(&none);
  p.SetPaper(256, 1000, 2000, 0, -1, false);
  EXPECT_TRUE(p.IsCurrentPaper(256, 1001, 1999, 0, 5));
  EXPECT_FALSE(p.IsCurrentPaper(256, 1002, 2000, 0, -1));
  EXPECT_FALSE(p.IsCurrentPaper(256, 1000, 2000, 1, -1));
  p.SetPaper(256, 1001, 1999, 0, -1, false);
  EXPECT_EQ(p.PaperWidthTenths, 1000);  // not applied again
  p.SetPaper(256, 1001, 1999, 0, -1, true);
  EXPECT_EQ(p.PaperWidthTenths, 1001);  // forced

  p.SetPaper(9, 2100, 2970, 0, -1, false);
  EXPECT_TRUE(p.IsCurrentPaper(9, 0, 0, 0, -1));
  EXPECT_TRUE(p.IsCurrentPaper(9, 0, 0, 0, -1));
  EXPECT_FALSE(p.IsCurrentPaper(9, 0, 0, 0, 2));  // another bin
  EXPECT_FALSE(p.IsCurrentPaper(11, 0, 0, 0, -1));
}

TEST(VirtualPrinter, IndexesAndNamesText) {
  TvlMemoryPrinter none;
  TvlPrinter p(&none);
  EXPECT_EQ(p.PaperIndex(9), 8);
  EXPECT_EQ(p.PaperIndex(48), 66);  // absent: the last entry
  EXPECT_EQ(p.BinIndex(-1), 0);
  EXPECT_EQ(p.BinIndex(4), 0);
  EXPECT_EQ(p.PaperNamesText().substr(0, 40), "Letter, 8 1/2 x 11\";Letter small, 8 1/2 ");
}

TvlMemoryPrinter TwoPrinters() {
  TvlMemoryPrinterSpec broken = vlSampleLaserPrinter("Broken");
  broken.Readable = false;
  return TvlMemoryPrinter({vlSampleLaserPrinter("Office Laser"), broken}, 0);
}

TEST(PlatformPrinter, MetricsComeFromTheDevicePixels) {
  TvlMemoryPrinter platform = TwoPrinters();
  TvlPrinter p(&platform);
  EXPECT_EQ(p.PrinterList, (std::vector<std::string>{"Office Laser", "Broken", "Virtual printer"}));
  EXPECT_EQ(p.SelectedIndex, 0);
  EXPECT_EQ(p.VirtualIndex, 2);
  EXPECT_EQ(p.PaperCode, 9);
  EXPECT_EQ(p.PaperWidthTenths, 2100);
  EXPECT_EQ(p.PaperHeightTenths, 2970);
  EXPECT_EQ(p.BinCodes, (std::vector<std::int32_t>{-1, 7, 1, 2}));
  EXPECT_EQ(p.BinNameList[0], "Default");
  EXPECT_EQ(p.PaperNameList[3], "Envelope DL");

  TvlPaperMetrics m;
  p.FillMetrics(m);
  EXPECT_EQ(m.PaperWidthPx, 4961);
  EXPECT_EQ(m.PaperHeightPx, 7016);
  EXPECT_EQ(m.PaperWidthU, 758);
  EXPECT_EQ(m.PaperHeightU, 1071);
  EXPECT_EQ(m.OffsetXPx, 100);
  EXPECT_EQ(m.OffsetXU, 15);
  EXPECT_EQ(m.PrintableWidthPx, 4761);
  EXPECT_EQ(m.PrintableWidthU, 727);
}

TEST(PlatformPrinter, PaperRequestsReachTheDeviceSettings) {
  TvlMemoryPrinter platform = TwoPrinters();
  TvlPrinter p(&platform);
  ASSERT_TRUE(p.SetPaper(27, 1100, 2200, 1, 2, false));
  const TvlDeviceMode& mode = platform.Printers[0].Mode;
  EXPECT_EQ(mode.PaperSize, 27);
  EXPECT_EQ(mode.Orientation, 2);
  EXPECT_EQ(mode.DefaultSource, 2);
  EXPECT_FALSE(mode.CustomSizeValid);
  EXPECT_EQ(p.PaperWidthTenths, 2200);  // read back as oriented
  EXPECT_EQ(p.Landscape, 1);

  ASSERT_TRUE(p.SetPaper(256, 1140, 2290, 0, -1, false));
  EXPECT_TRUE(mode.CustomSizeValid);
  EXPECT_EQ(mode.PaperWidth, 1140);
  EXPECT_EQ(mode.PaperLength, 2290);
  EXPECT_EQ(mode.DefaultSource, 2);  // bin -1 leaves the source alone

  // A size the printer does not offer is refused and the model keeps what the printer holds.
  EXPECT_FALSE(p.SetPaper(8, 2970, 4200, 0, -1, false));
  EXPECT_EQ(p.PaperCode, 256);

  // While the printer prints, paper requests are ignored.
  platform.IsPrinting = true;
  EXPECT_TRUE(p.SetPaper(9, 2100, 2970, 0, -1, true));
  EXPECT_EQ(mode.PaperSize, 256);
}

TEST(PlatformPrinter, UnreadablePrintersFallBackToTheVirtualPrinter) {
  TvlMemoryPrinter platform = TwoPrinters();
  TvlPrinter p(&platform);
  EXPECT_FALSE(p.SelectPrinter(1));
  EXPECT_TRUE(p.IsVirtual());
  EXPECT_TRUE(p.SelectPrinter(0));
  EXPECT_EQ(p.SelectedName(), "Office Laser");

  platform.Current = 1;  // the platform's current printer cannot be read at start
  TvlPrinter q(&platform);
  EXPECT_TRUE(q.IsVirtual());
  EXPECT_EQ(q.PaperCode, -1);
}

TEST(ReportPrinter, ANameThatNoLongerExistsIsKeptButNotSelected) {
  TvlMemoryPrinter platform = TwoPrinters();
  vlResetPrinter(&platform);
  std::string stored;
  vlSelectPrinterByName(true, "Gone Printer", stored);
  EXPECT_EQ(stored, "Gone Printer");
  EXPECT_EQ(vlPrinter().SelectedIndex, 0);
  vlSelectPrinterByName(true, "Virtual printer", stored);
  EXPECT_TRUE(vlPrinter().IsVirtual());
  vlSelectPrinterByName(false, "Office Laser", stored);
  EXPECT_TRUE(vlPrinter().IsVirtual());  // selecting when loaded is off
  EXPECT_EQ(stored, "Office Laser");
  vlResetPrinter(nullptr);
}

TEST(ReportPrinter, ChangingToAnInvalidPrinterRestoresTheOldOne) {
  TvlMemoryPrinter platform = TwoPrinters();
  TvlRecordingMessageBox box;
  TvlMessageBox* previous = vlPlatform().MessageBox;
  vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, nullptr});
  vlResetPrinter(&platform);

  std::string stored;
  int reapplied = 0;
  EXPECT_TRUE(vlChangePrinter(0, 2, stored, [&] { return ++reapplied > 0; }));
  EXPECT_EQ(stored, "Virtual printer");
  EXPECT_EQ(reapplied, 1);
  EXPECT_TRUE(box.Messages.empty());

  EXPECT_FALSE(vlChangePrinter(2, 1, stored, [&] { return ++reapplied > 0; }));
  ASSERT_EQ(box.Messages.size(), 1u);
  EXPECT_EQ(box.Messages[0].Text, "Printer selected is not valid");
  EXPECT_EQ(box.Messages[0].Caption, "Error");
  EXPECT_EQ(box.Messages[0].Icon, TvlMsgIcon::Error);
  EXPECT_TRUE(vlPrinter().IsVirtual());
  EXPECT_EQ(stored, "Virtual printer");
  EXPECT_EQ(reapplied, 2);  // the pages take the old printer's paper again

  // Pages that cannot take the new printer's paper fail the change too.
  EXPECT_FALSE(vlChangePrinter(2, 0, stored, [] { return false; }));
  EXPECT_EQ(vlPrinter().SelectedIndex, 2);

  vlInstallPlatform(TvlPlatform{previous, nullptr, nullptr, nullptr});
  vlResetPrinter(nullptr);
}

TEST(PlatformPrinter, PropertiesDialogAndRereadFollowTheDevice) {
  TvlMemoryPrinter platform = TwoPrinters();
  TvlPrinter p(&platform);
  EXPECT_FALSE(p.PropertiesDialog());  // cancelled
  platform.DialogAccepts = true;
  platform.DialogResult.PaperSize = 11;
  platform.DialogResult.Orientation = 2;
  EXPECT_TRUE(p.PropertiesDialog());
  EXPECT_EQ(p.PaperCode, 11);
  EXPECT_EQ(p.Landscape, 1);
  EXPECT_EQ(p.PaperWidthTenths, 2100);

  platform.Printers[0].Mode.PaperSize = 1;
  platform.Printers[0].Mode.Orientation = 1;
  p.Reread();
  EXPECT_EQ(p.PaperCode, 1);
  EXPECT_EQ(p.PaperWidthTenths, 2159);
}

}  // namespace
}  // namespace vl
