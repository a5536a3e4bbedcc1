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
};

namespace band_kind_detail {
constexpr std::array<TvlBandKind, kBandTypeCount> MakeTable() {
  using enum TvlBandRole;
  using enum TvlDefaultData;
  using enum TvlBandEditor;
  constexpr std::uint16_t S = flStretched, N = flFormNewPage, E = flPrintIfSubsetEmpty, B = flBreaked,
                          F = flOnFirstPage, L = flOnLastPage, R = flRepeatHeader, C = flPrintChildIfInvisible;
  // level, role, moves with the cursor, page furniture, vertical, repeatable, flags offered, default data,
  // editor, name
  return {{
      {0, Other, true, false, false, false, S | N | B | C, Master, None, 55077},                // report title
      {0, Other, true, false, false, false, S | N | B | C, Master, None, 55078},                // report summary
      {0, Header, true, true, false, false, S | F | C, Master, None, 55079},                    // page header
      {0, Footer, false, true, false, false, F | L, Master, None, 55080},                       // page footer
      {1, Header, true, false, false, true, S | B | R | C, Master, None, 55081},               // master header
      {1, Data, true, false, false, true, S | N | E | B | C, Master, DataSource, 55082},       // master data
      {1, Footer, true, false, false, true, S | N | B | C, Master, None, 55083},               // master footer
      {2, Header, true, false, false, true, S | B | R | C, Report, None, 55084},               // detail header
      {2, Data, true, false, false, true, S | N | E | B | C, Detail, DataSource, 55085},       // detail data
      {2, Footer, true, false, false, true, S | N | B | C, Detail, None, 55086},               // detail footer
      {3, Header, true, false, false, true, S | B | R | C, Report, None, 55087},               // subdetail header
      {3, Data, true, false, false, true, S | N | B | C, SubDetail, DataSource, 55088},        // subdetail data
      {3, Footer, true, false, false, true, S | N | B | C, SubDetail, None, 55089},            // subdetail footer
      {0, Other, false, true, false, false, C, Report, None, 55090},                            // overlay
      {0, Header, true, true, false, false, C, Report, None, 55091},                            // column header
      {0, Footer, true, true, false, false, C, Report, None, 55092},                            // column footer
      {0, Header, true, false, false, true, S | N | B | R | C, Master, GroupCondition, 55093}, // group header
      {0, Footer, true, false, false, true, S | B | C, Master, None, 55094},                   // group footer
      {0, Header, true, false, true, false, S | R | C, Report, None, 55095},                    // cross header
      {0, Data, true, false, true, false, C, Cross, CrossDataSource, 55096},                    // cross data
      {0, Footer, true, false, true, false, C, Cross, None, 55097},                             // cross footer
      {0, Other, true, false, false, true, S | B | C, Report, None, 55098},                    // child
      {0, Other, false, true, false, false, C, Report, None, 55099},                            // views outside every band
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

}  // namespace vl
