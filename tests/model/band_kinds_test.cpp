// The band kind table: the data levels' fixed type triples, and the
// predicates that read the table against the band types they name.

#include <gtest/gtest.h>

#include <set>

#include "engine/model/band_kinds.h"

namespace vl::testing {
namespace {

TEST(BandKinds, DataLevelsUseTheirFixedTypeTriples) {
  const int triples[3][3] = {{btMasterHeader, btMasterData, btMasterFooter},
                             {btDetailHeader, btDetailData, btDetailFooter},
                             {btSubDetailHeader, btSubDetailData, btSubDetailFooter}};
  for (int level = 1; level <= 3; ++level) {
    EXPECT_EQ(vlLevelBandType(level, TvlBandRole::Header), triples[level - 1][0]) << level;
    EXPECT_EQ(vlLevelBandType(level, TvlBandRole::Data), triples[level - 1][1]) << level;
    EXPECT_EQ(vlLevelBandType(level, TvlBandRole::Footer), triples[level - 1][2]) << level;
  }
  EXPECT_EQ(vlLevelBandType(4, TvlBandRole::Data), btNone);
}

TEST(BandKinds, PredicatesHoldForExactlyTheirTypes) {
  struct Case {
    const char* name;
    bool (*predicate)(int);
    std::set<int> types;
  };
  const Case cases[] = {
      {"data band", [](int t) { return vlIsDataBandType(t); }, {btMasterData, btDetailData, btSubDetailData}},
      {"vertical", [](int t) { return vlIsVerticalBand(t); }, {btCrossHeader, btCrossData, btCrossFooter}},
      {"fixed place", [](int t) { return !vlBandMovesWithCursor(t); }, {btPageFooter, btOverlay, btNone}},
      {"page furniture", [](int t) { return vlIsPageFurniture(t); },
       {btPageHeader, btPageFooter, btOverlay, btColumnHeader, btColumnFooter, btNone}},
      {"repeat header", [](int t) { return vlBandTypeOffers(t, flRepeatHeader); },
       {btMasterHeader, btDetailHeader, btSubDetailHeader, btGroupHeader, btCrossHeader}},
      {"print if detail empty", [](int t) { return vlBandTypeOffers(t, flPrintIfSubsetEmpty); },
       {btMasterData, btDetailData}},
      {"on last page", [](int t) { return vlBandTypeOffers(t, flOnLastPage); }, {btPageFooter}},
      {"has an editor", [](int t) { return vlBandKind(t).Editor != TvlBandEditor::None; },
       {btMasterData, btDetailData, btSubDetailData, btGroupHeader, btCrossData}},
      {"repeatable on a page", [](int t) { return vlBandKind(t).Repeatable; },
       {btMasterHeader, btMasterData, btMasterFooter, btDetailHeader, btDetailData, btDetailFooter,
        btSubDetailHeader, btSubDetailData, btSubDetailFooter, btGroupHeader, btGroupFooter, btChild}},
      {"takes a child", [](int t) { return vlBandTypeTakesChild(t); },
       {btReportTitle, btReportSummary, btPageHeader, btMasterHeader, btMasterData, btMasterFooter, btDetailHeader,
        btDetailData, btDetailFooter, btSubDetailHeader, btSubDetailData, btSubDetailFooter, btOverlay,
        btColumnHeader, btColumnFooter, btGroupHeader, btGroupFooter, btCrossHeader, btCrossData, btCrossFooter,
        btChild, btNone}},
      {"not on a sub-report page", [](int t) { return !vlBandKind(t).InSubReport; },
       {btReportTitle, btReportSummary, btPageHeader, btPageFooter, btColumnHeader, btColumnFooter, btGroupHeader,
        btGroupFooter}},
      {"takes a cross dataset", [](int t) { return vlBandKind(t).TakesCrossDataset; },
       {btMasterHeader, btMasterData, btMasterFooter, btDetailHeader, btDetailData, btDetailFooter,
        btSubDetailHeader, btSubDetailData, btSubDetailFooter, btColumnHeader, btColumnFooter, btGroupHeader,
        btGroupFooter, btChild}},
  };
  for (const Case& c : cases)
    for (int t = -1; t <= kBandTypeCount; ++t) {
      // Codes beyond the table read as the views outside every band.
      const int as = t >= 0 && t < kBandTypeCount ? t : static_cast<int>(btNone);
      EXPECT_EQ(c.predicate(t), c.types.count(as) > 0) << c.name << " " << t;
    }
  // Aggregates: which data levels a band's calls may count, and which one a
  // call without a band name counts.
  struct Sums {
    int type;
    int upToLevel;
    int own;
  };
  const Sums sums[] = {{btReportSummary, 1, btMasterData}, {btPageFooter, 1, btMasterData},
                       {btMasterFooter, 1, btMasterData},  {btGroupFooter, 1, btMasterData},
                       {btColumnFooter, 1, btNone},        {btDetailFooter, 2, btDetailData},
                       {btSubDetailFooter, 3, btSubDetailData}, {btCrossFooter, 0, btCrossData},
                       {btMasterData, 0, btNone},          {btPageHeader, 0, btNone}};
  for (const Sums& c : sums) {
    EXPECT_EQ(vlOwnSumBandType(c.type), c.own) << c.type;
    for (int level = 0; level <= 4; ++level)
      EXPECT_EQ(vlBandTypeSumsLevel(c.type, level), level >= 1 && level <= c.upToLevel) << c.type << " " << level;
  }
  // One flag at a time: a set of flags is no flag a band offers.
  EXPECT_FALSE(vlBandTypeOffers(btMasterData, flStretched | flBreaked));
}

}  // namespace
}  // namespace vl::testing
