// The library registry and the description registry the expression builder
// reads.

#include <gtest/gtest.h>

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/script/function_library.h"
#include "engine/script/installed_functions.h"

namespace vl {
namespace {

using Names = std::vector<std::string>;

// A library that describes two functions under its own class name.
struct Described : TvlFunctionLibrary {
  explicit Described(const std::string& className) : TvlFunctionLibrary(className) {
    List = {"F_" + className};
    vlInstalledFunctions().Add(this, List[0], "Test " + className, List[0] + "(x)/Does " + className);
  }
  void ComputeFunction(int, const TvlValue&, const TvlValue&, const TvlValue&, TvlValue& val) override {
    val = TvlValue(ClassName());
  }
};

bool Register(const std::string& className) {
  return vlRegisterFunctionLibrary(className, [className] { return std::make_unique<Described>(className); });
}

TEST(FunctionLibraries, RegisterOnceUnregisterMovesLaterOnesUpAndTheir65thIsRefused) {
  ASSERT_EQ(vlFunctionLibraryCount(), 0);
  EXPECT_TRUE(Register("A"));
  EXPECT_FALSE(Register("A"));  // already there: nothing created
  EXPECT_TRUE(Register("B"));
  EXPECT_TRUE(Register("C"));
  EXPECT_EQ(vlFunctionLibraryCount(), 3);
  EXPECT_EQ(vlInstalledFunctions().DescriptionOf("f_b"), "F_B(x)/Does B");

  TvlValue val;
  EXPECT_TRUE(vlOfferCallToLibraries("F_C", "", "", "", val));
  EXPECT_EQ(val.Str(), "C");
  EXPECT_FALSE(vlOfferCallToLibraries("NOSUCH", "", "", "", val));

  vlUnregisterFunctionLibrary("B");
  ASSERT_EQ(vlFunctionLibraryCount(), 2);
  EXPECT_EQ(vlFunctionLibrary(1)->ClassName(), "C");
  EXPECT_EQ(vlFunctionLibrary(2), nullptr);
  EXPECT_EQ(vlInstalledFunctions().DescriptionOf("F_B"), "");  // its descriptions went with it
  EXPECT_EQ(vlInstalledFunctions().DescriptionOf("F_C"), "F_C(x)/Does C");

  for (int k = vlFunctionLibraryCount(); k < kMaxFunctionLibraries; ++k) EXPECT_TRUE(Register("L" + std::to_string(k)));
  bool created = false;
  try {
    vlRegisterFunctionLibrary("Extra", [&] {
      created = true;
      return std::make_unique<Described>("Extra");
    });
    ADD_FAILURE() << "a 65th library was accepted";
  } catch (const TvlError& e) {
    EXPECT_NE(std::string(e.what()).find("Extra"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("64"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(created);
  EXPECT_EQ(vlFunctionLibraryCount(), kMaxFunctionLibraries);

  while (vlFunctionLibraryCount() > 0) vlUnregisterFunctionLibrary(vlFunctionLibrary(0)->ClassName());
  EXPECT_TRUE(vlInstalledFunctions().Entries().empty());
}

TEST(InstalledFunctions, CategoriesAndNamesPerCategoryForTheBuilder) {
  TvlInstalledFunctions reg;
  Described lib("Lib");
  reg.Add(&lib, "TRIM", "String", "TRIM(<String>)/Trims.");
  reg.Add(&lib, "COPY", "string", "COPY(s, p, n)/Copies.");
  reg.Add(&lib, "PAGE#", "Other", "PAGE#/The page.");
  reg.Add(&lib, "Abs", "Math", "no slash here");
  reg.Add(&lib, "TRIM", "Math", "a second TRIM is ignored");
  reg.Add(&lib, "trim", "Math", "another case is another name");
  reg.Add(&lib, "LOST", "", "no category: ignored");

  EXPECT_EQ(reg.Categories(), (Names{"Math", "Other", "String"}));
  EXPECT_EQ(reg.NamesOf("STRING"), (Names{"COPY", "TRIM"}));
  EXPECT_EQ(reg.NamesOf("Math"), (Names{"Abs", "trim"}));
  EXPECT_EQ(reg.NamesOf(vlLoadStr(str::kAllFunctions)), (Names{"Abs", "COPY", "PAGE#", "TRIM", "trim"}));
  EXPECT_EQ(vlLoadStr(str::kAllFunctions), "All functions");
  EXPECT_EQ(reg.DescriptionOf("Trim"), "TRIM(<String>)/Trims.");
  EXPECT_EQ(reg.DescriptionOf("LOST"), "");

  const TvlFunctionHelp help = vlSplitFunctionDescription(reg.DescriptionOf("PAGE#"));
  EXPECT_EQ(help.Syntax, "PAGE#");
  EXPECT_EQ(help.Explanation, "The page.");
  EXPECT_EQ(vlSplitFunctionDescription("no slash here").Syntax, "");
  EXPECT_EQ(vlSplitFunctionDescription("a/" + std::string(1500, 'x')).Explanation.size(), 1000u);

  reg.RemoveLibrary("Lib");
  EXPECT_TRUE(reg.Entries().empty());
  vlInstalledFunctions().RemoveLibrary("Lib");  // the shared registry got lib's own entry
}

}  // namespace
}  // namespace vl
