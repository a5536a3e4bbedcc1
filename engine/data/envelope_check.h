#pragma once
// The check of a batch of envelopes once prepared over an address list:
// every envelope that would print wrong is named with its row before
// anything prints, so that a batch either comes out right or says which
// envelopes are wrong.
//
// Problems: neither a recipient name nor an address; a name or an address
// whose text does not fit its box on the envelope (more lines than the box
// holds, after wrapping); a postcode with more characters than the
// template has boxes for it, or with anything but digits in its digit
// boxes; a view whose value cannot print (a barcode its symbology refuses).

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics_types.h"

namespace vl {

class TvlAddressBinding;
class TvlReport;

struct TvlEnvelopeProblem {
  int Row = 0;           // the address's row in the list, from 1; 0 without a list
  std::string Name;      // the recipient's name, as it prints
  std::string Problem;   // what is wrong, one sentence
  int Page = 0;          // the prepared page, from 1, when no list row names it
  bool operator==(const TvlEnvelopeProblem&) const = default;
};

// Checks the envelopes report has prepared while binding held it on its
// list: the list's rows in order, each with its share of the prepared pages.
// Leaves the list's cursor on its first record and no page expanded.
std::vector<TvlEnvelopeProblem> vlCheckEnvelopes(TvlReport& report, const TvlAddressBinding& binding);

// Where one address printed when a page holds several (labels on a sheet):
// the prepared page (from 0) and the area of it, in page units, that holds
// its views (by their top-left corners).
struct TvlAddressShare {
  int Page = -1;
  TvlRect Area;
};
using TvlShareOf = std::function<TvlAddressShare(int row)>;

// Checks what report prepared while binding held it on its list, one area
// of a page per address: the list's rows in order (after the first skip
// records of the source, which are not the list's), each with the share
// shareOf gives it.
std::vector<TvlEnvelopeProblem> vlCheckAddressShares(TvlReport& report, const TvlAddressBinding& binding,
                                                     int skip, const TvlShareOf& shareOf);

// Checks the prepared pages of a report prepared without a list: every view
// whose value cannot print (ValueError), named with its page.
std::vector<TvlEnvelopeProblem> vlCheckPreparedValues(TvlReport& report);

// One line of a problem: "Row 3 (Smith, John): The address does not fit its box",
// or without a list "Page 2: Routing: Intelligent Mail: ...".
std::string vlEnvelopeProblemLine(const TvlEnvelopeProblem& problem);

}  // namespace vl
