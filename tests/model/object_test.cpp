#include <gtest/gtest.h>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/expression_evaluator.h"
#include "engine/model/codes.h"
#include "engine/model/object.h"
#include "engine/model/object_factory.h"
#include "engine/model/shared_properties.h"

namespace vl {
namespace {

TEST(PropertyList, DeclaresFindsAndCutsNames) {
  TvlObject o;
  EXPECT_TRUE(o.GetProperty("ANYTHING").IsNull());
  o.SetProperty("ANYTHING", TvlValue(1));  // the base knows no names: nothing happens
  EXPECT_TRUE(o.CallMethod("X", {}, {}, {}).IsNull());

  o.AddProperty("Font.Name", 0);
  o.AddProperty(std::string(40, 'P'), ptString | ptOneObject);
  ASSERT_EQ(o.Properties().size(), 2u);
  EXPECT_EQ(o.Properties()[1]->Name, std::string(32, 'P'));
  EXPECT_EQ(o.FindProperty("FONT.NAME"), o.Properties()[0].get());
  EXPECT_EQ(o.FindProperty("font.name"), o.Properties()[0].get());
  EXPECT_EQ(o.FindProperty("Font"), nullptr);
  o.ClearProperties();
  EXPECT_TRUE(o.Properties().empty());
}

TEST(PropertyList, EnumerationsSplitNamesAndKeepValuesByPosition) {
  TvlObject o;
  o.AddEnumProperty("FrameStyle", "psSolid;psDash;psDot",
                    std::vector<TvlValue>{TvlValue(0), TvlValue(1), TvlValue(2)});
  o.AddEnumProperty("ChildBand", "Band1;Band2", TvlValue::Null());
  o.AddEnumProperty("Few", "a;b;c", TvlValue(7));  // fewer values than names is accepted
  const TvlPropRec& style = *o.Properties()[0];
  EXPECT_EQ(style.Kind, ptEnum);
  EXPECT_EQ(style.EnumNames, (std::vector<std::string>{"psSolid", "psDash", "psDot"}));
  ASSERT_TRUE(style.EnumValues.IsArray());
  EXPECT_EQ(style.EnumValues.Items()[2].Int(), 2);
  EXPECT_TRUE(o.Properties()[1]->EnumValues.IsNull());  // the names are the values
  EXPECT_EQ(o.Properties()[2]->EnumValues.Items().size(), 1u);
}

class CountingObject : public TvlObject {
 public:
  void DeclareProperties() override {
    ClearProperties();
    ++declared;
    AddProperty("Name", ptString);
  }
  int declared = 0;
};

TEST(PropertyList, EnsureDeclaresOnlyWhenEmpty) {
  CountingObject o;
  o.EnsureProperties();
  o.EnsureProperties();
  EXPECT_EQ(o.declared, 1);
  o.ClearProperties();
  o.EnsureProperties();
  EXPECT_EQ(o.declared, 2);
}

TEST(FontProperties, ReadAndWriteTheFourFontNames) {
  TvlFont f;
  vlSetFontProperty(f, "FONT.NAME", TvlValue("Times New Roman"));
  vlSetFontProperty(f, "FONT.SIZE", TvlValue(14.0));
  vlSetFontProperty(f, "FONT.STYLE", TvlValue(fsBold | fsItalic));
  vlSetFontProperty(f, "FONT.COLOR", TvlValue(255));
  vlSetFontProperty(f, "FONT.WIDTH", TvlValue(3));
  EXPECT_EQ(f.Name, "Times New Roman");
  EXPECT_EQ(f.Size, 14);
  EXPECT_EQ(f.Style, 3);
  EXPECT_EQ(f.Color, 255u);
  EXPECT_EQ(vlGetFontProperty(f, "FONT.SIZE").Int(), 14);
  EXPECT_EQ(vlGetFontProperty(f, "FONT.NAME").Str(), "Times New Roman");
  EXPECT_TRUE(vlGetFontProperty(f, "FONT.WIDTH").IsNull());
}

// Answers every expression with its own text, or a number for digits.
class EchoEvaluator : public TvlExpressionEvaluator {
 public:
  TvlValue Evaluate(const std::string& text) override {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') return TvlValue(std::stoi(text));
    return TvlValue(text);
  }
};

TEST(ListMethods, EditTheListThroughItsName) {
  EchoEvaluator eval;
  vlShared().Evaluator = &eval;
  std::vector<std::string> memo{"first", "second"};
  const TvlValue none;
  EXPECT_TRUE(vlListMethod(memo, "MEMO.ADD", TvlValue("third"), none, none, "MEMO").IsNull());
  EXPECT_EQ(memo.back(), "third");
  EXPECT_EQ(vlListMethod(memo, "MEMO.INDEXOF", TvlValue("second"), none, none, "MEMO").Int(), 1);
  EXPECT_EQ(vlListMethod(memo, "MEMO.INDEXOF", TvlValue("absent"), none, none, "MEMO").Int(), -1);
  vlListMethod(memo, "MEMO.DELETE", TvlValue("0"), none, none, "MEMO");
  EXPECT_EQ(memo, (std::vector<std::string>{"second", "third"}));
  vlListMethod(memo, "SETINDEXPROPERTY", TvlValue("MEMO"), TvlValue(1), TvlValue(5), "MEMO");
  EXPECT_EQ(memo[1], "5");
  EXPECT_EQ(vlListMethod(memo, "GETINDEXPROPERTY", TvlValue("MEMO"), TvlValue(0), none, "MEMO").Str(),
            "second");
  // Another list's name, or an unknown method, leaves the result null.
  EXPECT_TRUE(vlListMethod(memo, "GETINDEXPROPERTY", TvlValue("LINES"), TvlValue(0), none, "MEMO").IsNull());
  EXPECT_TRUE(vlListMethod(memo, "MEMO.SORT", none, none, none, "MEMO").IsNull());
  EXPECT_TRUE(vlListMethod(memo, "MEMOX.ADD", TvlValue("x"), none, none, "MEMO").IsNull());
  EXPECT_THROW(vlListMethod(memo, "MEMO.DELETE", TvlValue("7"), none, none, "MEMO"), TvlError);
  EXPECT_THROW(vlListMethod(memo, "GETINDEXPROPERTY", TvlValue("MEMO"), TvlValue(-1), none, "MEMO"),
               TvlError);
  vlListMethod(memo, "LINES.CLEAR", none, none, none, "LINES");
  EXPECT_TRUE(memo.empty());
  vlShared().Evaluator = nullptr;
}

TEST(ObjectFactory, CreatesBuiltInClassesWithRisingIds) {
  const struct { int typ; const char* base; std::uint16_t flags; TvlColor fill; } cases[] = {
      {otMemo, "Memo", flStretched | flWordWrap, clNone},
      {otPicture, "Picture", flStretched | flKeepAspect, clNone},
      {otBand, "Band", flOnFirstPage | flOnLastPage, clNone},
      {otSubReport, "SubReport", flStretched, clNone},
      {otLine, "Line", flStretched, clWhite},  // lines are filled white
  };
  std::int32_t lastId = 0;
  for (const auto& c : cases) {
    auto v = vlCreateView(c.typ, "");
    ASSERT_TRUE(v) << c.typ;
    EXPECT_EQ(v->Typ, c.typ);
    EXPECT_EQ(v->BaseName, c.base);
    EXPECT_EQ(v->Flags, c.flags);
    EXPECT_EQ(v->FillColor, c.fill);
    EXPECT_GT(v->ID, lastId);
    lastId = v->ID;
  }
  for (int typ : {5, 7, 9, 11, 255}) EXPECT_EQ(vlCreateView(typ, "TvlMemoView"), nullptr) << typ;
}

TEST(ObjectFactory, UnregisteredAddInsAccumulateInTheErrorText) {
  vlState().ClearError();
  try {
    vlCreateView(otAddIn, "TvlChartView");
    FAIL() << "expected the class-not-found error";
  } catch (const TvlClassNotFoundError& e) {
    EXPECT_STREQ(e.what(), "TvlChartView\r");
  }
  try {
    vlCreateView(otAddIn, "TvlBarcodeView");
    FAIL();
  } catch (const TvlClassNotFoundError& e) {
    EXPECT_STREQ(e.what(), "TvlChartView\rTvlBarcodeView\r");
  }
  // A class that is missing again is named once.
  try {
    vlCreateView(otAddIn, "TvlChartView");
    FAIL();
  } catch (const TvlClassNotFoundError& e) {
    EXPECT_STREQ(e.what(), "TvlChartView\rTvlBarcodeView\r");
  }
  EXPECT_TRUE(vlState().ErrorFlag);
  vlState().ClearError();
}

TEST(ObjectFactory, RegisteredAddInsAreFoundByExactClassName) {
  TvlAddInClass cls;
  cls.ClassName = "TvlCheckBoxView";
  cls.Create = [] { return std::unique_ptr<TvlView>(new TvlMemoView()); };
  ASSERT_TRUE(vlAddIns().Register(cls));
  EXPECT_FALSE(vlAddIns().Register(cls));  // once only
  auto v = vlCreateView(otAddIn, "TvlCheckBoxView");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->Typ, otAddIn);
  EXPECT_THROW(vlCreateView(otAddIn, "tvlcheckboxview"), TvlClassNotFoundError);  // case matters
  vlAddIns().Unregister("TvlCheckBoxView");
  vlState().ClearError();

  for (std::size_t k = 0; k < TvlAddInRegistry::kMaxEntries; ++k) {
    cls.ClassName = "C" + std::to_string(k);
    EXPECT_TRUE(vlAddIns().Register(cls));
  }
  cls.ClassName = "OneTooMany";
  EXPECT_FALSE(vlAddIns().Register(cls));
  for (std::size_t k = 0; k < TvlAddInRegistry::kMaxEntries; ++k)
    vlAddIns().Unregister("C" + std::to_string(k));
}

}  // namespace
}  // namespace vl
