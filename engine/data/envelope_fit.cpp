#include "engine/data/envelope_fit.h"

#include <cctype>

#include "engine/data/address_fields.h"
#include "engine/model/memo_fit.h"
#include "engine/model/memo_view.h"

namespace vl {
namespace {

// Whether a text view prints the recipient's name or address.
bool PrintsRecipient(const TvlMemoView& memo) {
  for (const std::string& line : memo.Memo) {
    std::string upper;
    for (char c : line) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int f : {efRecipientName, efRecipientAddress}) {
      std::string name = vlEnvelopeVariable(f);
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (upper.find("[" + name + "]") != std::string::npos) return true;
    }
  }
  return false;
}

}  // namespace

TvlEnvelopeFit::TvlEnvelopeFit(TvlReport& report) : report_(report), previous_(report.OnBeforePrint) {
  report.OnBeforePrint = [this](std::vector<std::string>& memo, TvlView* view) {
    if (previous_) previous_(memo, view);
    if (view) Fit(*view);
  };
}

TvlEnvelopeFit::~TvlEnvelopeFit() { report_.OnBeforePrint = previous_; }

void TvlEnvelopeFit::Fit(TvlView& view) {
  auto* memo = dynamic_cast<TvlMemoView*>(&view);
  if (!memo || !PrintsRecipient(*memo)) return;
  const auto [at, added] = start_.try_emplace(memo, TStart{memo->Font.Size, memo->LineSpacing});
  // The text as it will print: a field's content put there already, else the memo expanded.
  if (memo->PrintedMemo == memo->Memo) memo->ExpandMemo();
  // A text that fits keeps the template's size; one that does not shrinks.
  memo->Font.Size = at->second.Size;
  memo->LineSpacing = at->second.LineSpacing;
  if (!vlMemoTextFits(*memo)) vlShrinkMemoToFit(*memo, at->second.Size, at->second.LineSpacing, kEnvelopeFloorSize);
}

}  // namespace vl
