// A merged envelope: the template's barcodes are bound to expressions, and
// every printed envelope carries the codes of its own address.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/bracket_text.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/binding/globals.h"
#include "engine/binding/value_resolution.h"
#include "platform/recording_canvas.h"
#include "tests/barcode/barcode_fixture.h"

namespace vl {
namespace {

class BarCodeMerge : public test::BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    globals_ = std::make_unique<TvlGlobals>();
    saved_ = vlState();
    savedHooks_ = vlBracketHooks();
    // As the programs install it: brackets go through the report's value resolution.
    vlBracketHooks().Text = [](TvlView&, const std::string& b) { return vlBracketText(std::string_view(b)); };
    vlState().DocMode = TvlDocMode::dmPrinting;
  }
  void TearDown() override {
    vlBracketHooks() = savedHooks_;
    TvlEngineState& st = vlState();
    st.CurReport = saved_.CurReport;
    st.CurPage = saved_.CurPage;
    st.CurView = saved_.CurView;
    st.DocMode = saved_.DocMode;
    globals_.reset();
    BarCodeTest::TearDown();
  }

  // Prints every view of the page as band output would and reads the
  // prepared page's records back.
  static std::vector<std::unique_ptr<TvlView>> PrintPage(TvlPage& page) {
    TvlStreamWriter w;
    TvlStreamPrintSink sink(w);
    for (const auto& view : page.Objects) view->Print(sink);
    std::vector<std::unique_ptr<TvlView>> printed;
    TvlStreamReader r(w.Bytes());
    while (!r.AtEnd()) printed.push_back(vlReadPrintedView(r));
    return printed;
  }

  std::unique_ptr<TvlGlobals> globals_;
  TvlEngineState saved_;
  TvlBracketHooks savedHooks_;
};

TvlBarCodeView& Printed(const std::vector<std::unique_ptr<TvlView>>& views, const std::string& name) {
  for (const auto& v : views)
    if (v->Name == name) return dynamic_cast<TvlBarCodeView&>(*v);
  ADD_FAILURE() << "not printed: " << name;
  throw std::runtime_error(name);
}

TEST_F(BarCodeMerge, EachAddressPrintsItsOwnCodes) {
  auto report = test::BarCodeEnvelope();
  TvlPage& page = *report->Pages[0];
  vlState().CurReport = report.get();
  vlState().CurPage = &page;
  const bool zbar = test::HaveZbarimg();
  if (!zbar) std::fprintf(stderr, "zbarimg is not installed (package zbar-tools): codes are not decoded\n");

  const struct {
    const char *name, *street, *zip, *plus4, *city;
  } addresses[] = {
      {"Ann Smith", "1 Main Street", "20500", "0003", "Washington"},
      {"Bo Li", "88 Harbour Road", "98101", "1234", "Seattle"},
  };
  for (const auto& a : addresses) {
    TvlVariables& vars = globals_->ScriptVariables;
    vars.Set("Name", a.name);
    vars.Set("Street", a.street);
    vars.Set("Zip", a.zip);
    vars.Set("Plus4", a.plus4);
    vars.Set("City", a.city);
    const auto printed = PrintPage(page);
    ASSERT_EQ(printed.size(), 4u);  // the band writes nothing
    const std::string address = std::string(a.name) + "\r\n" + a.street + "\r\n" + a.zip + " " + a.city;
    EXPECT_EQ(Printed(printed, "AddressQR").Code, address);
    EXPECT_EQ(Printed(printed, "PostCode").Code, std::string(a.zip) + "-" + a.plus4);
    TvlBarCodeView& routing = Printed(printed, "Routing");
    EXPECT_EQ(routing.Code, std::string("01234567094987654321-") + a.zip);

    // The page as the preview shows it, and each code read back from it.
    std::vector<TvlView*> views;
    for (const auto& v : printed) views.push_back(v.get());
    const QImage envelope = vlRenderViewsToImage(views, 600, 360, 200);
    const std::string tag = std::string(a.zip);
    envelope.save(QString::fromStdString(::testing::TempDir() + "barcode_envelope_" + tag + ".png"), "PNG");
    if (const char* dir = std::getenv("VL_BARCODE_PNG_DIR"))
      envelope.save(QString::fromStdString(std::string(dir) + "/barcode_envelope_" + tag + ".png"), "PNG");
    if (zbar) {
      for (const char* name : {"AddressQR", "PostCode"}) {
        TvlBarCodeView& v = Printed(printed, name);
        const auto read = test::ZbarDecode(vlRenderViewsToImage({&v}, 600, 360, 200), tag + name);
        ASSERT_TRUE(read) << name;
        std::string expected = v.Code;
        std::erase(expected, '\r');
        std::string got = *read;
        std::erase(got, '\r');
        EXPECT_EQ(got, expected) << name;
      }
    }
  }
  // The template keeps its expressions.
  EXPECT_EQ(static_cast<TvlBarCodeView&>(*report->FindObject("PostCode")).Code, "[PostCode]");
}

TEST_F(BarCodeMerge, AnAddressWhoseCodeCannotBeMadePrintsAnErrorBoxAndNothingFails) {
  auto report = test::BarCodeEnvelope();
  TvlPage& page = *report->Pages[0];
  vlState().CurReport = report.get();
  vlState().CurPage = &page;
  vlState().ClearError();
  TvlVariables& vars = globals_->ScriptVariables;
  for (const char* name : {"Name", "Street", "City", "Plus4"}) vars.Set(name, "x");
  vars.Set("Zip", "2050");  // four digits: no routing code for Intelligent Mail

  std::vector<std::unique_ptr<TvlView>> printed;
  ASSERT_NO_THROW(printed = PrintPage(page));
  EXPECT_FALSE(vlState().ErrorFlag);
  TvlBarCodeView& routing = Printed(printed, "Routing");
  EXPECT_EQ(routing.Code, "01234567094987654321-2050");
  routing.DrawScaleX = routing.DrawScaleY = 1;
  TvlRecordingCanvas canvas;
  routing.Draw(canvas);
  const auto texts = canvas.TextRuns();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].Text.rfind("Intelligent Mail:", 0), 0u) << texts[0].Text;
}

}  // namespace
}  // namespace vl
