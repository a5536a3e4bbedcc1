#include "engine/data/envelope_check.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "engine/core/text.h"
#include "engine/data/address_binding.h"
#include "engine/data/data_source.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/core/project_texts.h"

namespace vl {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The template's views that print the recipient's name and address, by
// name, and how many boxes its recipient's postcode has.
struct TEnvelopeViews {
  std::unordered_set<std::string> Name, Address;
  int PostcodeBoxes = 0;
};

TEnvelopeViews FindViews(TvlReport& report) {
  const std::string name = "[" + Upper(vlEnvelopeVariable(efRecipientName)) + "]";
  const std::string address = "[" + Upper(vlEnvelopeVariable(efRecipientAddress)) + "]";
  const std::string box = "COPY(" + Upper(vlEnvelopeVariable(efRecipientPostcode));
  TEnvelopeViews found;
  for (int p = 0; p < report.Pages.Count(); ++p)
    for (const auto& view : report.Pages[p]->Objects) {
      if (!dynamic_cast<const TvlMemoView*>(view.get())) continue;
      std::string text;
      for (const std::string& line : view->Memo) text += Upper(line);
      if (text.find(name) != std::string::npos) found.Name.insert(view->Name);
      if (text.find(address) != std::string::npos) found.Address.insert(view->Name);
      if (text.find(box) != std::string::npos) ++found.PostcodeBoxes;
    }
  return found;
}

// Whether the text of a prepared text view lies inside the view once wrapped.
bool Fits(TvlMemoView& memo) {
  memo.PrintedMemo = memo.Memo;
  memo.Prewrapped = false;
  memo.BeginDraw();
  memo.WrapMemo();
  memo.EndDraw();
  return memo.TextHeight <= memo.Height;
}

void CheckValues(int row, const TvlAddressBinding& binding, const TEnvelopeViews& views,
                 std::vector<TvlEnvelopeProblem>& problems) {
  const std::string name = vlTrim(binding.Text(efRecipientName));
  auto add = [&](std::string problem) { problems.push_back({row, name, std::move(problem)}); };
  if (name.empty() && vlTrim(binding.Text(efRecipientAddress)).empty()) add(vlTr("No recipient name and no address"));
  const std::string postcode = vlTrim(binding.Text(efRecipientPostcode));
  if (views.PostcodeBoxes == 0 || postcode.empty()) return;
  if (static_cast<int>(postcode.size()) > views.PostcodeBoxes)
    add(vlTr("The postcode %1 has more characters than its %2 boxes", {postcode, std::to_string(views.PostcodeBoxes)}));
  else if (!std::all_of(postcode.begin(), postcode.end(), [](char c) { return c >= '0' && c <= '9'; }))
    add(vlTr("The postcode %1 has other characters than digits for its digit boxes", {postcode}));
}

// Whether a view's top-left corner lies inside an area (page units).
bool Inside(const TvlView& view, const TvlRect& area) {
  return view.Left >= area.Left && view.Left < area.Right && view.Top >= area.Top && view.Top < area.Bottom;
}

// Checks the views of an expanded page that belong to one address: all of
// them, or those inside area when the page holds several addresses.
void CheckViews(int row, const std::string& name, TvlPage& page, const TEnvelopeViews& views,
                std::vector<TvlEnvelopeProblem>& problems, const TvlRect* area = nullptr) {
  bool nameFits = true, addressFits = true;
  std::vector<std::string> valueErrors;
  for (const auto& view : page.Objects) {
    if (area && !Inside(*view, *area)) continue;
    std::string error = view->ValueError();
    if (!error.empty()) valueErrors.push_back(view->Name + ": " + error);
    auto* memo = dynamic_cast<TvlMemoView*>(view.get());
    if (!memo) continue;
    if (views.Name.count(memo->Name)) nameFits = nameFits && Fits(*memo);
    if (views.Address.count(memo->Name)) addressFits = addressFits && Fits(*memo);
  }
  if (!nameFits) problems.push_back({row, name, vlTr("The name does not fit its box")});
  if (!addressFits) problems.push_back({row, name, vlTr("The address does not fit its box")});
  for (std::string& error : valueErrors) problems.push_back({row, name, std::move(error)});
}

void CheckPage(int row, const std::string& name, TvlReport& report, int index, const TEnvelopeViews& views,
               std::vector<TvlEnvelopeProblem>& problems) {
  TvlPage* page = report.EMFPages.Expand(index);
  if (!page) return;
  CheckViews(row, name, *page, views, problems);
  report.EMFPages[index].Page.reset();
}

}  // namespace

std::vector<TvlEnvelopeProblem> vlCheckEnvelopes(TvlReport& report, const TvlAddressBinding& binding) {
  std::vector<TvlEnvelopeProblem> problems;
  TvlDataSource* source = binding.Source();
  if (!source) return problems;
  const TEnvelopeViews views = FindViews(report);
  source->Open();
  int rows = 0;
  for (source->First(); !source->Eof(); source->Next()) ++rows;
  if (rows == 0) return problems;
  const int pagesPerRow = report.EMFPages.Count() / rows;
  int row = 0;
  for (source->First(); !source->Eof(); source->Next()) {
    ++row;
    CheckValues(row, binding, views, problems);
    const std::string name = vlTrim(binding.Text(efRecipientName));
    for (int k = 0; k < pagesPerRow; ++k) CheckPage(row, name, report, (row - 1) * pagesPerRow + k, views, problems);
  }
  source->First();
  return problems;
}

std::vector<TvlEnvelopeProblem> vlCheckAddressShares(TvlReport& report, const TvlAddressBinding& binding,
                                                     int skip, const TvlShareOf& shareOf) {
  std::vector<TvlEnvelopeProblem> problems;
  TvlDataSource* source = binding.Source();
  if (!source) return problems;
  const TEnvelopeViews views = FindViews(report);
  source->Open();
  int expanded = -1;  // the page kept expanded while its addresses are checked
  auto release = [&] {
    if (expanded >= 0 && expanded < report.EMFPages.Count()) report.EMFPages[expanded].Page.reset();
  };
  int record = 0, row = 0;
  for (source->First(); !source->Eof(); source->Next(), ++record) {
    if (record < skip) continue;
    ++row;
    CheckValues(row, binding, views, problems);
    const TvlAddressShare share = shareOf(row);
    if (share.Page < 0 || share.Page >= report.EMFPages.Count()) continue;
    if (share.Page != expanded) {
      release();
      expanded = share.Page;
    }
    TvlPage* page = report.EMFPages.Expand(share.Page);
    if (page) CheckViews(row, vlTrim(binding.Text(efRecipientName)), *page, views, problems, &share.Area);
  }
  release();
  source->First();
  return problems;
}

std::vector<TvlEnvelopeProblem> vlCheckPreparedValues(TvlReport& report) {
  std::vector<TvlEnvelopeProblem> problems;
  for (int index = 0; index < report.EMFPages.Count(); ++index) {
    TvlPage* page = report.EMFPages.Expand(index);
    if (!page) continue;
    for (const auto& view : page->Objects) {
      std::string error = view->ValueError();
      if (!error.empty()) problems.push_back({0, {}, view->Name + ": " + error, index + 1});
    }
    report.EMFPages[index].Page.reset();
  }
  return problems;
}

std::string vlEnvelopeProblemLine(const TvlEnvelopeProblem& problem) {
  if (problem.Row == 0) return vlTr("Page %1: %2", {std::to_string(problem.Page), problem.Problem});
  if (problem.Name.empty()) return vlTr("Row %1: %2", {std::to_string(problem.Row), problem.Problem});
  return vlTr("Row %1 (%2): %3", {std::to_string(problem.Row), problem.Name, problem.Problem});
}

}  // namespace vl
