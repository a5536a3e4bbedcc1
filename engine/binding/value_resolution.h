#pragma once
// What the report puts behind the shared evaluator's two handlers: the
// lookup order of a name, the dispatch of a function call, the built-in
// script procedures, and the expansion of one bracketed expression of a view.
// Everything reads the run's context: vlState() (current report, page, band, view,
// page numbers) and page formation's counters through vlRunAccess().
//
// Lookup order of a name: the report's OnGetValue; the dictionary; VALUE;
// the system variables; CALCWIDTH; script variables; CURY, FREESPACE,
// FINALPASS, PAGEHEIGHT, PAGEWIDTH; object properties; named constants; and
// last the name evaluated as an expression of its own (ResolvingName stops a
// name that resolves to itself with "Undefined symbol").

#include <string>
#include <string_view>

#include "engine/core/run_context.h"
#include "engine/core/value.h"

namespace vl {

class TvlObject;

// The value context of the run in progress (core/run_context.h).
TvlValueContext& vlValueContext();

// The evaluator's OnGetValue. Raises TvlError "Undefined symbol "NAME"" for
// a name that resolves to nothing (outside registration mode).
void vlResolveValue(std::string_view name, TvlValue& value);
TvlValue vlResolveValue(std::string_view name);

// The evaluator's OnFunction: libraries, then the procedures, then the
// report's OnUserFunction. val starts as the text "0".
void vlCallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                    const TvlValue& p3, TvlValue& val);
// STOPREPORT, NEWPAGE, NEWCOLUMN, SHOWBAND, INC, DEC, SETARRAY, GETARRAY and
// object method calls.
void vlRunProcedure(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                    const TvlValue& p3, TvlValue& val);

// The formatted value of one bracketed expression of the current view
// ("Sum #N2,2"); empty in registration mode.
std::string vlBracketText(std::string_view text);

// The object and property a name addresses: "Memo1.Font.Size" is Memo1 and
// "Font.Size", "Page2.Left" the second page and "Left", a name without a
// period the current view and the whole name, and "Font.Name" (no object of
// that name) the current view and "Font.Name". Object is null when nothing
// matches; a found object has its properties declared.
struct TvlPropertyRef {
  TvlObject* Object = nullptr;
  std::string Property;
};
TvlPropertyRef vlFindObjectProperty(std::string_view name);

// The script array element's variable name: "Arr_" + array + "_" + index
// text (a text index as it is, any other converted to an integer).
std::string vlArrayElementName(std::string_view array, const TvlValue& index);

// "Undefined symbol "NAME"".
std::string vlUndefinedSymbolMessage(std::string_view name);

}  // namespace vl
