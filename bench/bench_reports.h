#pragma once
// What the preparation and output benchmarks share: a CSV address list of
// five fields and the templates built over it (an A4 list, a DL envelope),
// so that their figures describe the same reports.

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "engine/model/report.h"
#include "engine/model/views.h"

namespace vl::bench {

inline const char* const kFields[5] = {"name", "street", "city", "zip", "country"};

// count records "Person i", "i Long Street", "City i%97", a number, "Country".
inline void WritePeopleCsv(const std::string& path, int count) {
  std::ofstream out(path, std::ios::binary);
  out << "name,street,city,zip,country\n";
  for (int i = 1; i <= count; ++i)
    out << "Person " << i << ',' << i << " Long Street,City " << (i % 97) << ',' << 10000 + i % 9000
        << ",Country\n";
}

// The text "[People."field"]" of field k.
inline std::string PeopleField(int k) { return std::string("[People.\"") + kFields[k] + "\"]"; }

inline TvlMemoView* AddMemo(TvlPage& page, const std::string& name, int left, int top, int width,
                            const std::string& text, bool stretched = false) {
  auto v = std::make_unique<TvlMemoView>();
  v->Name = name;
  v->Left = left;
  v->Top = top;
  v->Width = width;
  v->Height = 16;
  v->Flags = stretched ? (flStretched | flWordWrap) : 0;
  v->Memo = {text};
  TvlMemoView* raw = v.get();
  page.Objects.push_back(std::move(v));
  return raw;
}

inline void AddBand(TvlPage& page, std::uint8_t type, int top, int height, const std::string& name,
                    const std::string& source, bool stretched = false) {
  auto v = std::make_unique<TvlBandView>();
  v->Name = name;
  v->FrameTyp = type;
  v->Top = top;
  v->Height = height;
  v->FormatText = source;
  if (stretched) v->Flags |= flStretched;
  page.Objects.push_back(std::move(v));
}

// An A4 list over the dataset "People": page header and footer, a master
// data band with the five fields.
inline void AddListPage(TvlReport& report, bool stretched = false) {
  TvlPage& page = *report.Pages.Add();
  page.Margins = {38, 38, 38, 38};
  AddBand(page, btPageHeader, 0, 30, "PageHeader1", "");
  AddMemo(page, "Title", 38, 0, 300, "Addresses");
  AddBand(page, btMasterData, 50, 18, "MasterData1", "People", stretched);
  for (int k = 0; k < 5; ++k) AddMemo(page, "Field" + std::to_string(k), 38 + 140 * k, 50, 130, PeopleField(k), stretched);
  AddBand(page, btPageFooter, 1000, 20, "PageFooter1", "");
  AddMemo(page, "PageNo", 38, 1000, 200, "Page [PAGE#]");
}

// A DL envelope, landscape.
inline TvlPage& AddEnvelopePage(TvlReport& report) {
  TvlPage& page = *report.Pages.Add();
  page.PaperSize = 27;
  page.Orientation = 1;
  page.ApplyPaper();
  return page;
}

}  // namespace vl::bench
