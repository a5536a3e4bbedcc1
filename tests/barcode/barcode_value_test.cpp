// Values a symbology cannot hold exactly are refused rather than changed
// on the quiet, and a page can be asked which of its codes failed and why.

#include <gtest/gtest.h>

#include "engine/addins/barcode/barcode_problems.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "tests/barcode/barcode_fixture.h"

namespace vl {
namespace {

using test::BarCodeTest;

constexpr const char* kLowerCase =
    "Code 39: lower-case letters cannot be encoded (the UpperCase option prints them as capitals)";
constexpr const char* kAddOn = "EAN-13: an add-on after \"+\" has 2 or 5 digits";

TEST(BarCodeValue, WhatTheSymbologyWouldChangeIsRefusedAndTheRestEncodedAsWritten) {
  const struct {
    std::uint8_t symbology;
    const char* text;
    bool upperCase;
    const char* error;    // empty: encoded
    const char* caption;  // the human-readable text when encoded
  } cases[] = {
      {bcCode39, "lower case", false, kLowerCase, ""},
      {bcCode39, "Route 66", false, kLowerCase, ""},
      {bcCode39, "lower case", true, "", "*LOWER CASE*"},  // asked for: printed as capitals
      {bcCode39, "LOWER CASE", false, "", "*LOWER CASE*"},
      {bcEAN13, "400638133393+123", false, kAddOn, ""},
      {bcEAN13, "400638133393+1", false, kAddOn, ""},
      {bcEAN13, "400638133393+1234", false, kAddOn, ""},
      {bcEAN13, "400638133393+", false, kAddOn, ""},
      {bcEAN13, "400638133393+12+34", false, kAddOn, ""},
      {bcEAN13, "40063813339+12", false, "EAN-13: 12 digits are needed, or 13 with the check digit", ""},
      {bcEAN13, "400638133393+12", false, "", "12"},
      {bcEAN13, "400638133393+12345", false, "", "12345"},
  };
  for (const auto& c : cases) {
    TvlBarCodeRequest request;
    request.Symbology = c.symbology;
    request.Text = c.text;
    request.UpperCase = c.upperCase;
    const TvlBarCodeSymbol symbol = vlEncodeBarCode(request);
    EXPECT_EQ(symbol.Error, c.error) << c.text;
    if (!symbol.Ok()) {
      EXPECT_TRUE(symbol.Bars.empty()) << c.text;
      continue;
    }
    bool captioned = false;
    for (const TvlBarCodeCaption& caption : symbol.Captions) captioned |= caption.Text == c.caption;
    EXPECT_TRUE(captioned) << c.text << " lacks the caption " << c.caption;
  }
}

class BarCodeProblems : public BarCodeTest {};

TEST_F(BarCodeProblems, APageNamesEachCodeThatCannotBeMadeWithTheErrorBoxText) {
  TvlReport report;
  TvlPage& page = *report.Pages.Add();
  auto add = [&](const char* name, std::uint8_t symbology, const char* code) {
    auto v = Make(symbology, code, 0, 0, 200, 60);
    v->Name = name;
    TvlBarCodeView* raw = v.get();
    page.Objects.push_back(std::move(v));
    return raw;
  };
  add("Fine", bcCode128, "VL-0001");
  add("Empty", bcIntelligentMail, "");  // prints nothing: no problem
  add("Lower", bcCode39, "lower case");
  auto memo = std::make_unique<TvlMemoView>();
  memo->Name = "Address";
  memo->Memo = {"lower case"};
  page.Objects.push_back(std::move(memo));
  add("Routing", bcIntelligentMail, "01234567094987654321-2050");
  TvlBarCodeView* upper = add("Upper", bcCode39, "lower case");
  upper->UpperCase = true;

  const std::vector<TvlBarCodeProblem> problems = vlBarCodeProblems(page);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], (TvlBarCodeProblem{"Lower", kLowerCase}));
  EXPECT_EQ(problems[1].View, "Routing");
  EXPECT_EQ(problems[1].Message.rfind("Intelligent Mail: ", 0), 0u) << problems[1].Message;
  // The same text the printed view shows in its error box.
  EXPECT_EQ(static_cast<TvlBarCodeView&>(*page.Objects[2]).ValueError(), kLowerCase);
  EXPECT_EQ(static_cast<TvlBarCodeView&>(*page.Objects[0]).ValueError(), "");
}

}  // namespace
}  // namespace vl
