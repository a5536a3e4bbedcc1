#pragma once
// What each band type is, in one table: its data level and role, whether it
// moves with the print cursor or belongs to the page, which flags it offers,
// whose dataset its fields read by default, which designer editor it has,
// and its display name. Every predicate about band types reads this table,
// so the designer, the band tree and band output cannot disagree.

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/model/codes.h"

namespace vl {

// A band's part in its data level (group and cross bands have a role but no level).
enum class TvlBandRole : std::uint8_t { Other, Header, Data, Footer };
// Whose dataset a field named without its dataset reads on a band of the type.
enum class TvlDefaultData : std::uint8_t { Report, Master, Detail, SubDetail, Cross };
// The designer's editor for a band view of the type.
enum class TvlBandEditor : std::uint8_t { None, DataSource, GroupCondition, CrossDataSource };

struct TvlBandKind {
  std::uint8_t Level;       // data level 1..3; 0 outside the data levels
  TvlBandRole Role;
  bool MovesWithCursor;     // printed at the cursor (not at a fixed place of the page)
  bool PageFurniture;       // belongs to the page, not to the data: printing it is no progress
  bool Vertical;            // cross band: a strip down the page, placed by left and width
  bool Repeatable;          // a page may hold more than one band of the type
  std::uint16_t Offers;     // the band flags a view of the type offers
  TvlDefaultData DefaultData;
  TvlBandEditor Editor;
  int NameText;             // string table id of the type's display name
  bool InSubReport;         // may stand on a page printed through a sub-report view
  bool TakesCrossDataset;   // may be named in a cross data band's "Band=Dataset;" list
  // Aggregate calls on a band of the type count the data bands of levels
  // 1..SumsUpToLevel (0: none; cross footers count the cross data band);
  // a call that names no band counts the data band of level OwnSumLevel
  // (0: nothing; 4: the cross data band).
  std::uint8_t SumsUpToLevel;
  std::uint8_t OwnSumLevel;
};

namespace band_kind_detail {
constexpr std::array<TvlBandKind, kBandTypeCount> MakeTable() {
  using enum TvlBandRole;
  using enum TvlDefaultData;
  using enum TvlBandEditor;
  constexpr std::uint16_t S = flStretched, N = flFormNewPage, E = flPrintIfSubsetEmpty, B = flBreaked,
                          F = flOnFirstPage, L = flOnLastPage, R = flRepeatHeader, C = flPrintChildIfInvisible;
  // level, role, moves with the cursor, page furniture, vertical, repeatable, flags offered, default data,
  // editor, name, in a sub-report, takes a cross dataset, sums up to level, own sum level
  return {{
      {0, Other, true, false, false, false, S | N | B | C, Master, None, 55077, false, false, 0, 0},  // report title
      {0, Other, true, false, false, false, S | N | B | C, Master, None, 55078, false, false, 1, 1},  // report summary
      {0, Header, true, true, false, false, S | F | C, Master, None, 55079, false, false, 0, 0},  // page header
      {0, Footer, false, true, false, false, F | L, Master, None, 55080, false, false, 1, 1},  // page footer
      {1, Header, true, false, false, true, S | B | R | C, Master, None, 55081, true, true, 0, 0},  // master header
      {1, Data, true, false, false, true, S | N | E | B | C, Master, DataSource, 55082, true, true, 0, 0},  // master data
      {1, Footer, true, false, false, true, S | N | B | C, Master, None, 55083, true, true, 1, 1},  // master footer
      {2, Header, true, false, false, true, S | B | R | C, Report, None, 55084, true, true, 0, 0},  // detail header
      {2, Data, true, false, false, true, S | N | E | B | C, Detail, DataSource, 55085, true, true, 0, 0},  // detail data
      {2, Footer, true, false, false, true, S | N | B | C, Detail, None, 55086, true, true, 2, 2},  // detail footer
      {3, Header, true, false, false, true, S | B | R | C, Report, None, 55087, true, true, 0, 0},  // subdetail header
      {3, Data, true, false, false, true, S | N | B | C, SubDetail, DataSource, 55088, true, true, 0, 0},  // subdetail data
      {3, Footer, true, false, false, true, S | N | B | C, SubDetail, None, 55089, true, true, 3, 3},  // subdetail footer
      {0, Other, false, true, false, false, C, Report, None, 55090, true, false, 0, 0},  // overlay
      {0, Header, true, true, false, false, C, Report, None, 55091, false, true, 0, 0},  // column header
      {0, Footer, true, true, false, false, C, Report, None, 55092, false, true, 1, 0},  // column footer
      {0, Header, true, false, false, true, S | N | B | R | C, Master, GroupCondition, 55093, false, true, 0, 0},  // group header
      {0, Footer, true, false, false, true, S | B | C, Master, None, 55094, false, true, 1, 1},  // group footer
      {0, Header, true, false, true, false, S | R | C, Report, None, 55095, true, false, 0, 0},  // cross header
      {0, Data, true, false, true, false, C, Cross, CrossDataSource, 55096, true, false, 0, 0},  // cross data
      {0, Footer, true, false, true, false, C, Cross, None, 55097, true, false, 0, 4},  // cross footer
      {0, Other, true, false, false, true, S | B | C, Report, None, 55098, true, true, 0, 0},  // child
      {0, Other, false, true, false, false, C, Report, None, 55099, true, false, 0, 0},  // views outside every band
  }};
}
}  // namespace band_kind_detail

// Indexed by band type code (btReportTitle .. btNone).
inline constexpr std::array<TvlBandKind, kBandTypeCount> kBandKinds = band_kind_detail::MakeTable();

// The type's entry; a code beyond the table reads as the views outside every band.
constexpr const TvlBandKind& vlBandKind(int bandType) {
  return kBandKinds[static_cast<std::size_t>(bandType >= 0 && bandType < kBandTypeCount ? bandType : btNone)];
}

// Whether bands of the type offer the flag (flStretched, flFormNewPage,
// flPrintIfSubsetEmpty, flBreaked, flOnFirstPage, flOnLastPage,
// flRepeatHeader or flPrintChildIfInvisible).
constexpr bool vlBandTypeOffers(int bandType, std::uint16_t flag) {
  return flag != 0 && (vlBandKind(bandType).Offers & flag) == flag && (flag & (flag - 1)) == 0;
}
// Master, detail and subdetail data bands.
constexpr bool vlIsDataBandType(int bandType) {
  return vlBandKind(bandType).Level > 0 && vlBandKind(bandType).Role == TvlBandRole::Data;
}
// Cross bands run down the page and are placed by their left edge and width.
constexpr bool vlIsVerticalBand(int bandType) { return vlBandKind(bandType).Vertical; }
constexpr bool vlBandMovesWithCursor(int bandType) { return vlBandKind(bandType).MovesWithCursor; }
constexpr bool vlIsPageFurniture(int bandType) { return vlBandKind(bandType).PageFurniture; }
// The band type of a data level's (1..3) header, data or footer band.
constexpr int vlLevelBandType(int level, TvlBandRole role) {
  for (int t = 0; t < kBandTypeCount; ++t)
    if (kBandKinds[static_cast<std::size_t>(t)].Level == level && kBandKinds[static_cast<std::size_t>(t)].Role == role)
      return t;
  return btNone;
}
// A child band may follow a band of the type.
constexpr bool vlBandTypeTakesChild(int bandType) { return vlBandTypeOffers(bandType, flPrintChildIfInvisible); }
// The data band type an aggregate call without a band name counts on a band
// of the type; btNone when such a call counts nothing.
constexpr int vlOwnSumBandType(int bandType) {
  const int level = vlBandKind(bandType).OwnSumLevel;
  if (level == 4) return btCrossData;
  return level > 0 ? vlLevelBandType(level, TvlBandRole::Data) : static_cast<int>(btNone);
}
// Whether aggregate calls on a band of the type may count a data band of the level (1..3).
constexpr bool vlBandTypeSumsLevel(int bandType, int level) {
  return level >= 1 && level <= vlBandKind(bandType).SumsUpToLevel;
}

}  // namespace vl
