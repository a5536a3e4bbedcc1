#pragma once
// An address book in vCard form (.vcf; versions 2.1, 3.0 and 4.0) as an
// external data source: one record per card, in file order. Every field is
// text; a field the card does not have is null.
//
// Fields: FN (the formatted name, or one made from N, or ORG, when the card
// has none), the parts of N (N_Family, N_Given, N_Middle, N_Prefix,
// N_Suffix), ORG (its parts joined by blanks), TITLE, the address (ADR: the
// parts composed as an envelope shows them; ADR_Type, ADR_POBox,
// ADR_Extended, ADR_Street, ADR_Locality, ADR_Region, ADR_PostalCode,
// ADR_Country), TEL with TEL_Type, EMAIL with EMAIL_Type, and NOTE. A card
// with several addresses, telephones or e-mail addresses has them as ADR2,
// TEL2, EMAIL2 ... (added after NOTE, as many as the fullest card needs); the
// preferred one (TYPE=pref or PREF) comes first. Groups (item1.ADR) are read
// like the property alone.
//
// Values are decoded (quoted-printable, CHARSET through iconv, escapes) and
// turned into the system code page. Text without a CHARSET is taken as UTF-8.
// Open reads the file once and checks every line; errors name the file and
// the line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/text_file_source.h"

namespace vl {

class TvlVCardDataSource : public TvlTextFileSource {
 public:
  using TvlTextFileSource::TvlTextFileSource;

  void Close() override;

  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;
  bool IsNull(int field) const override;
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;

 protected:
  std::size_t ReadText(std::string text, bool utf8Bom, const std::string& sourceName) override;

 private:
  struct Cell {
    std::uint32_t Field = 0;
    std::uint32_t Length = 0;
    std::uint64_t Offset = 0;  // into arena_
  };
  const Cell* Find(int field) const;

  std::vector<Cell> cells_;           // the cards' cells, each card's sorted by field
  std::vector<std::size_t> starts_;   // first cell of each card, and one past the last
  std::string arena_;
};

}  // namespace vl
