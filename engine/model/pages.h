#pragma once
// The report's ordered, owned list of template pages, and the pages section of
// the template stream (pages, object records and the dictionary).

#include <memory>
#include <vector>

#include "engine/model/page.h"

namespace vl {

class TvlReport;

class TvlPages {
 public:
  explicit TvlPages(TvlReport* report) : report_(report) {}

  int Count() const noexcept { return static_cast<int>(pages_.size()); }
  TvlPage* operator[](int index) const { return pages_.at(static_cast<std::size_t>(index)).get(); }
  TvlPage* Page(int index) const { return (*this)[index]; }
  TvlReport* Report() const noexcept { return report_; }

  void Clear();
  // A new page on the printer's default paper at program start, sizes from the
  // printer model, default bin, portrait.
  TvlPage* Add();
  void Delete(int index);
  void Move(int from, int to);
  // Hands a page to the list and takes it back (the designer edits an
  // expanded prepared page as the only template page).
  void Adopt(std::unique_ptr<TvlPage> page) { pages_.push_back(std::move(page)); }
  std::unique_ptr<TvlPage> Release(int index);

  // The pages section. Reading first clears the report (pages, dictionary,
  // information); a damaged section raises TvlError, a missing add-in class is
  // collected in the engine's error text and raised as TvlClassNotFoundError
  // once the section has been read.
  void LoadFromStream(TvlStreamReader& r);
  void SaveToStream(TvlStreamWriter& w);

 private:
  void ReadObjectRecord(TvlStreamReader& r, std::uint8_t type);

  std::vector<std::unique_ptr<TvlPage>> pages_;
  TvlReport* report_;
};

// Record bytes of the pages section.
inline constexpr std::uint8_t kRecPage = 255;
inline constexpr std::uint8_t kRecDictionary = 254;
inline constexpr std::uint8_t kRecExtension = 253;
inline constexpr std::uint8_t kRecEnd = 252;

// The paper code new pages start with: the printer's paper when it was first
// asked (A4 when the printer model had none).
std::int32_t vlDefaultPaperCode();

}  // namespace vl
