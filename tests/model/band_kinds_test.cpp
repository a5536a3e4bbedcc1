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
  };
  for (const Case& c : cases)
    for (int t = -1; t <= kBandTypeCount; ++t) {
      // Codes beyond the table read as the views outside every band.
      const int as = t >= 0 && t < kBandTypeCount ? t : static_cast<int>(btNone);
      EXPECT_EQ(c.predicate(t), c.types.count(as) > 0) << c.name << " " << t;
    }
  // One flag at a time: a set of flags is no flag a band offers.
  EXPECT_FALSE(vlBandTypeOffers(btMasterData, flStretched | flBreaked));
}

}  // namespace
}  // namespace vl::testing
