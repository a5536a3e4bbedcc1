#pragma once
// Addresses split over several columns (province, city, district, street;
// Street, Street 2, City, State, ZIP, Country): what part of an address a
// column holds, told by its name, and how the parts of one address are
// joined into the text an envelope prints.
//
// The script of the text decides the order and the separators: Chinese text
// runs from the largest place to the smallest without separators
// (省份 城市 区县 详细地址 -> "浙江省杭州市西湖区文三路90号"); Latin text has its
// street lines first, each on a line of its own, then "City, State ZIP" on
// one line, then the country on the last line.

#include <string>
#include <vector>

namespace vl {

enum class TvlAddressPartKind {
  apWhole,     // a column that holds the whole address
  apStreet,    // street and number; Chinese: 详细地址
  apStreet2,   // a second street line (flat, building, c/o)
  apDistrict,  // 区县, district, county
  apCity,
  apState,     // 省份, state, province, region
  apPostcode,
  apCountry,
  apOther,     // a column whose name tells nothing
};

// What a column holds, from its name (compared as address_fields.h compares).
TvlAddressPartKind vlAddressPartOf(const std::string& column);

// True when the text holds Chinese, Japanese or Korean characters (text in
// the system code page).
bool vlIsCjkText(const std::string& text);

struct TvlAddressPart {
  TvlAddressPartKind Kind = TvlAddressPartKind::apOther;
  std::string Text;
};

// The parts of one address, in the order given, joined as the script of
// their text asks: without separators for Chinese text (a postcode among the
// parts is left out: it has its boxes), otherwise street lines, then one
// line "City, State ZIP", then the country. Empty parts and blanks around
// parts are dropped.
std::string vlJoinAddressParts(const std::vector<TvlAddressPart>& parts);

// Of the columns of a list, the address parts that are joined into the
// recipient's address when the list splits it: in the order of the script of
// the column names (Chinese names: province, city, district, street; Latin
// names: street lines, city, state, ZIP, country). Empty when the list has a
// column holding the whole address, or fewer than two parts besides a
// postcode. taken marks columns that feed another field already (a ZIP
// column still joins a Latin address).
std::vector<std::string> vlSplitAddressColumns(const std::vector<std::string>& columns,
                                               const std::vector<std::string>& taken);

}  // namespace vl
