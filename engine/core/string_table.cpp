#include "engine/core/string_table.h"

#include <algorithm>
#include <iterator>

namespace vl {
namespace {

struct Entry {
  int id;
  const char* text;
};

// Sorted by number.
constexpr Entry kEntries[] = {
    {55000, "OK"},
    {55001, "Cancel"},
    {55004, "Page"},
    {55005, "Remove this page?"},
    {55006, "Confirm"},
    {55007, "Virtual printer"},
    {55075, "System variables"},
    {55076, "[None]"},
    {55077, "Report title"},
    {55078, "Report summary"},
    {55079, "Page header"},
    {55080, "Page footer"},
    {55081, "Master header"},
    {55082, "Master data"},
    {55083, "Master footer"},
    {55084, "Detail header"},
    {55085, "Detail data"},
    {55086, "Detail footer"},
    {55087, "Subdetail header"},
    {55088, "Subdetail data"},
    {55089, "Subdetail footer"},
    {55090, "Overlay"},
    {55091, "Column header"},
    {55092, "Column footer"},
    {55093, "Group header"},
    {55094, "Group footer"},
    {55095, "Cross header"},
    {55096, "Cross data"},
    {55097, "Cross footer"},
    {55098, "Child"},
    {55099, "None"},
    {55170, "0;1"},
    {55171, "No;Yes"},
    {55172, "_;x"},
    {55173, "False;True"},
    {55175, "mm.dd.yy"},
    {55176, "mm.dd.yyyy"},
    {55177, "d mmm yyyy"},
    {55178, "d mmmm yyyy"},
    {55179, "hh:nn:ss"},
    {55180, "h:nn:ss"},
    {55181, "hh:nn"},
    {55182, "h:nn"},
    {55190, "Stretched"},
    {55191, "Variable format..."},
    {55192, "Word wrap"},
    {55194, "Force new page"},
    {55195, "Print if detail empty"},
    {55196, "Breaked"},
    {55197, "Center picture"},
    {55198, "Keep aspect ratio"},
    {55206, "Error"},
    {55209, "Untitled"},
    {55228, "[Picture]"},
    {55231, "On first page"},
    {55232, "On last page"},
    {55233, "Show on all pages"},
    {55334, "Font..."},
    {55335, "Auto size"},
    {55337, "1"},
    {55345, "Unsupported VLF format"},
    {55347, "Clear contents"},
    {55433, "Text only"},
    {55434, "Suppress repeated values"},
    {55438, "Hide zeros"},
    {55439, "Undefined symbol"},
    {55440, "Print childs if invisible"},
    {55441, "Underlines"},
    {55653, "Password"},
    {55654, "Enter password for opening report"},
    {55655, "Retype password for validate"},
    {56001, "Letter, 8 1/2 x 11\""},
    {56002, "Letter small, 8 1/2 x 11\""},
    {56003, "Tabloid, 11 x 17\""},
    {56004, "Ledger, 17 x 11\""},
    {56005, "Legal, 8 1/2 x 14\""},
    {56006, "Statement, 5 1/2 x 8 1/2\""},
    {56007, "Executive, 7 1/4 x 10 1/2\""},
    {56008, "A3 297 x 420 mm"},
    {56009, "A4 210 x 297 mm"},
    {56010, "A4 small sheet, 210 x 297 mm"},
    {56011, "A5 148 x 210 mm"},
    {56012, "B4 250 x 354 mm"},
    {56013, "B5 182 x 257 mm"},
    {56014, "Folio, 8 1/2 x 13\""},
    {56015, "Quarto Sheet, 215 x 275 mm"},
    {56016, "10 x 14\""},
    {56017, "11 x 17\""},
    {56018, "Note, 8 1/2 x 11\""},
    {56019, "9 Envelope, 3 7/8 x 8 7/8\""},
    {56020, "#10 Envelope, 4 1/8  x 9 1/2\""},
    {56021, "#11 Envelope, 4 1/2 x 10 3/8\""},
    {56022, "#12 Envelope, 4 3/4 x 11\""},
    {56023, "#14 Envelope, 5 x 11 1/2\""},
    {56024, "C Sheet, 17 x 22\""},
    {56025, "D Sheet, 22 x 34\""},
    {56026, "E Sheet, 34 x 44\""},
    {56027, "DL Envelope, 110 x 220 mm"},
    {56028, "C5 Envelope, 162 x 229 mm"},
    {56029, "C3 Envelope,  324 x 458 mm"},
    {56030, "C4 Envelope,  229 x 324 mm"},
    {56031, "C6 Envelope,  114 x 162 mm"},
    {56032, "C65 Envelope, 114 x 229 mm"},
    {56033, "B4 Envelope,  250 x 353 mm"},
    {56034, "B5 Envelope,  176 x 250 mm"},
    {56035, "B6 Envelope,  176 x 125 mm"},
    {56036, "Italy Envelope, 110 x 230 mm"},
    {56037, "Monarch Envelope, 3 7/8 x 7 1/2\""},
    {56038, "6 3/4 Envelope, 3 5/8 x 6 1/2\""},
    {56039, "US Std Fanfold, 14 7/8 x 11\""},
    {56040, "German Std Fanfold, 8 1/2 x 12\""},
    {56041, "German Legal Fanfold, 8 1/2 x 13\""},
    {56042, "B4 (ISO) 250 x 353 mm"},
    {56043, "Japanese Postcard 100 x 148 mm"},
    {56044, "9 x 11\""},
    {56045, "10 x 11\""},
    {56046, "15 x 11\""},
    {56047, "Envelope Invite 220 x 220 mm"},
    {56050, "Letter Extra 9/275 x 12\""},
    {56051, "Legal Extra 9/275 x 15\""},
    {56052, "Tabloid Extra 11.69 x 18\""},
    {56053, "A4 Extra 9.27 x 12.69\""},
    {56054, "Letter Transverse 8/275 x 11\""},
    {56055, "A4 Transverse 210 x 297 mm"},
    {56056, "Letter Extra Transverse 9/275 x 12\""},
    {56057, "SuperASuperAA4 227 x 356 mm"},
    {56058, "SuperBSuperBA3 305 x 487 mm"},
    {56059, "Letter Plus 8.5 x 12.69\""},
    {56060, "A4 Plus 210 x 330 mm"},
    {56061, "A5 Transverse 148 x 210 mm"},
    {56062, "B5 (JIS) Transverse 182 x 257 mm"},
    {56063, "A3 Extra 322 x 445 mm"},
    {56064, "A5 Extra 174 x 235 mm"},
    {56065, "B5 (ISO) Extra 201 x 276 mm"},
    {56066, "A2 420 x 594 mm"},
    {56067, "A3 Transverse 297 x 420 mm"},
    {56068, "A3 Extra Transverse 322 x 445 mm"},
    {56256, "Custom"},
    {56300, "Default"},
    {56301, "No data"},
    {56302, "Printer selected is not valid"},
    {56310, "Report contains the following non-plugged components:"},
    {56311, "You must include these components into your project."},
    {56400, "Unable to open dataset "},
    {56401, "Missing "},
    {56402, "Not a dataset: "},
    {56403, "Cannot open data file "},
    {56404, "Bad table or query in "},
    {56405, "Malformed CSV file "},
    {56406, ", line "},
    {56407, "a quoted field is not closed"},
    {56408, "text follows a closing quote"},
    {56409, " fields where the header has "},
    {56410, "no header row"},
    {56411, "the file is too large"},
    {56412, "UTF-16 files are not read; save the file as UTF-8"},
    {56413, "no table or query given"},
    {56414, "only one SELECT statement is read"},
    {56415, "Data source is not open: "},
    {56416, "No such position in "},
    {56500, "Barcode"},
    {56501, "Unknown symbology "},
    {56502, "12 digits are needed, or 13 with the check digit"},
};

static_assert(std::is_sorted(std::begin(kEntries), std::end(kEntries),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }),
              "the string table must stay sorted by number");

TvlLocalisationHook& Hook() {
  static TvlLocalisationHook hook;
  return hook;
}

const Entry* Lookup(int id) {
  const Entry* it = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                                     [](const Entry& e, int v) { return e.id < v; });
  return (it != std::end(kEntries) && it->id == id) ? it : nullptr;
}

}  // namespace

std::string vlLoadStr(int id) {
  if (Hook()) {
    std::string s = Hook()(id);
    if (!s.empty()) return s.size() > 1024 ? s.substr(0, 1024) : s;
  }
  const Entry* e = Lookup(id);
  return e ? e->text : std::string();
}

bool vlHasStr(int id) { return !vlLoadStr(id).empty(); }

void vlSetLocalisationHook(TvlLocalisationHook hook) { Hook() = std::move(hook); }

}  // namespace vl
