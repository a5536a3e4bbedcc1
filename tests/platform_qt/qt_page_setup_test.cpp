#include <gtest/gtest.h>

#include <QSizeF>

#include "platform/qt/qt_printer.h"

namespace vl {
namespace {

TvlDeviceMode Mode(std::int32_t code, std::int32_t orientation, std::int32_t width = 0, std::int32_t length = 0) {
  TvlDeviceMode mode;
  mode.PaperSize = code;
  mode.Orientation = orientation;
  mode.PaperWidth = width;
  mode.PaperLength = length;
  mode.CustomSizeValid = code == 256;
  return mode;
}

struct SetupCase {
  const char* What;
  TvlDeviceMode Mode;
  QList<QPageSize> Offered;
  bool CustomSizes;
  QPageSize::PageSizeId Id;
  QPageLayout::Orientation Orientation;
  QSizeF Millimetres;  // the page size as given, upright
};

// Envelopes reach the printer as sizes CUPS knows: Qt's ids for the standard
// envelopes, the printer's own entry where it has one, and the ZL envelope
// (laid out as a custom 230 x 120 mm page) upright and turned.
TEST(QtPageSetup, EnvelopesGoAsMediaTheSpoolerKnows) {
  const QList<QPageSize> pdfPrinter = {QPageSize(QPageSize::A4), QPageSize(QPageSize::EnvelopeDL)};
  const QList<QPageSize> zlPrinter = {QPageSize(QPageSize::A4), QPageSize(QPageSize::EnvelopePrc6)};
  const SetupCase cases[] = {
      {"DL", Mode(27, 2), {}, true, QPageSize::EnvelopeDL, QPageLayout::Landscape, {110, 220}},
      {"C5", Mode(28, 2), {}, true, QPageSize::EnvelopeC5, QPageLayout::Landscape, {162, 229}},
      {"C4", Mode(30, 2), {}, true, QPageSize::EnvelopeC4, QPageLayout::Landscape, {229, 324}},
      {"C6", Mode(31, 2), {}, true, QPageSize::EnvelopeC6, QPageLayout::Landscape, {114, 162}},
      {"#10", Mode(20, 2), {}, true, QPageSize::Envelope10, QPageLayout::Landscape, {104.8, 241.3}},
      {"A4", Mode(9, 1), pdfPrinter, true, QPageSize::A4, QPageLayout::Portrait, {210, 297}},
      {"DL as a custom size", Mode(256, 1, 1100, 2200), pdfPrinter, true, QPageSize::EnvelopeDL,
       QPageLayout::Portrait, {110, 220}},
      {"ZL, printer lists it", Mode(256, 1, 2300, 1200), zlPrinter, true, QPageSize::EnvelopePrc6,
       QPageLayout::Landscape, {120, 230}},
      {"ZL, printer takes custom sizes", Mode(256, 1, 2300, 1200), pdfPrinter, true, QPageSize::Custom,
       QPageLayout::Landscape, {120, 230}},
      {"ZL turned", Mode(256, 2, 2300, 1200), pdfPrinter, true, QPageSize::Custom, QPageLayout::Portrait,
       {120, 230}},
      {"ZL, no custom sizes", Mode(256, 1, 2300, 1200), pdfPrinter, false, QPageSize::EnvelopePrc6,
       QPageLayout::Landscape, {120, 230}},
      {"custom upright", Mode(256, 1, 1210, 2310), pdfPrinter, true, QPageSize::Custom, QPageLayout::Portrait,
       {121, 231}},
  };
  for (const SetupCase& c : cases) {
    SCOPED_TRACE(c.What);
    const TvlQtPageSetup setup = vlQtPageSetup(c.Mode, c.Offered, c.CustomSizes);
    EXPECT_EQ(setup.Size.id(), c.Id);
    EXPECT_EQ(setup.Orientation, c.Orientation);
    const QSizeF mm = setup.Size.size(QPageSize::Millimeter);
    // Qt keeps sizes to the point; a ZL made custom is widened by a fraction of one.
    EXPECT_NEAR(mm.width(), c.Millimetres.width(), 0.4);
    EXPECT_NEAR(mm.height(), c.Millimetres.height(), 0.4);
  }
}

}  // namespace
}  // namespace vl
