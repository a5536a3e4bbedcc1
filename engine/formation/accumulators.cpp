// The accumulators behind SUM, MIN, MAX, AVG and COUNT: registering a call
// on the data band it summarises, folding every record into it, resetting it
// when its footer prints, and reading it back.

#include <charconv>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/core/value_ops.h"
#include "engine/formation/band.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/binding/value_resolution.h"

namespace vl {
namespace {

bool StartsWithDigit(const std::string& s) { return !s.empty() && s[0] >= '0' && s[0] <= '9'; }

// Fills the entry's fields from its key.
void ParseKey(TvlAccumulator& a) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < a.Key.size()) {
    const std::size_t end = a.Key.find(kAccumulatorSeparator, start);
    if (end == std::string::npos) {
      fields.push_back(a.Key.substr(start));
      break;
    }
    fields.push_back(a.Key.substr(start, end - start));
    start = end + 1;
  }
  std::size_t k = 0;
  a.HasColumn = StartsWithDigit(a.Key);
  if (a.HasColumn && !fields.empty()) {
    const std::string& c = fields[k++];
    std::int32_t n = 0;
    std::from_chars(c.data(), c.data() + c.size(), n);
    a.Column = n;
  }
  a.FooterName = k < fields.size() ? fields[k] : std::string();
  ++k;
  a.Code = k < fields.size() && !fields[k].empty() ? static_cast<unsigned char>(fields[k][0]) : 0;
  ++k;
  a.Expression = k < fields.size() ? fields[k] : std::string();
  ++k;
  a.CountInvisible = k < fields.size() && vlTrim(fields[k]) == "1";
}

// Accumulated values are numbers: null and empty count as 0, and a text
// that reads as a number (a field of a text file) is that number.
TvlValue Numeric(TvlValue v) {
  if (v.IsNullOrEmpty()) return TvlValue(0);
  if (v.IsString()) {
    double d = 0;
    if (vlTryTextToFloat(vlTrim(v.Str()), d)) return TvlValue(d);
  }
  return v;
}

}  // namespace

void TvlBand::SetAccumulator(const std::string& key, const TvlValue& value) {
  const auto found = accumulatorIndex_.find(key);
  if (found != accumulatorIndex_.end()) {
    TvlAccumulator& a = Accumulators[found->second];
    a.Value = value;
    a.Records = 0;
    return;
  }
  TvlAccumulator a;
  a.Key = key;
  a.Value = value;
  ParseKey(a);
  accumulatorIndex_.emplace(key, Accumulators.size());
  Accumulators.push_back(std::move(a));
}

TvlValue TvlBand::GetAccumulator(const std::string& key) const {
  const auto found = accumulatorIndex_.find(key);
  if (found == accumulatorIndex_.end()) return TvlValue("0");
  const TvlAccumulator& a = Accumulators[found->second];
  switch (a.Code) {
    case kAggAvg: {
      if (a.Records <= 0) return TvlValue(0);
      TvlValue v = a.Value;
      vlValueDivide(v, TvlValue(a.Records));
      return v;
    }
    case kAggMin:
    case kAggMax:
      // Over no records there is no smallest or largest value.
      return a.Records > 0 ? a.Value : TvlValue(0);
    default:
      return a.Value;
  }
}

void TvlBand::FoldRecord(std::int32_t crossColumn) {
  if (crossColumn > 0) {
    // Each cross column keeps its own copy of the footer's template entries.
    const std::string column = std::to_string(crossColumn);
    for (std::size_t i = 0; i < Accumulators.size(); ++i) {
      const TvlAccumulator& a = Accumulators[i];
      if (!a.HasColumn || a.Column != 0) continue;
      std::string copy = column + a.Key.substr(1);
      if (!accumulatorIndex_.count(copy)) SetAccumulator(copy, TvlValue(0));
    }
  }
  TvlFormation& run = Page->Run;
  const bool counts = Visible();
  const std::string* previousExpression = nullptr;
  TvlValue previous;
  for (TvlAccumulator& a : Accumulators) {
    if (crossColumn > 0 ? (!a.HasColumn || a.Column != crossColumn) : a.HasColumn) continue;
    if (!counts && !a.CountInvisible) continue;
    TvlValue value(0);
    if (a.Code != kAggCount) {
      if (previousExpression && *previousExpression == a.Expression) {
        value = previous;
      } else {
        if (!a.IsCompiled) {
          a.Compiled = run.Compile(a.Expression);
          a.IsCompiled = true;
        }
        value = Numeric(run.EvaluatePostfix(a.Compiled));
        previous = value;
        previousExpression = &a.Expression;
      }
    }
    TvlValue acc = Numeric(a.Value);
    switch (a.Code) {
      case kAggMin:
      case kAggMax:
        if (a.Records == 0) {
          acc = value;
        } else {
          try {
            const int c = vlValueCompare(value, acc);
            if ((a.Code == kAggMin && c < 0) || (a.Code == kAggMax && c > 0)) acc = value;
          } catch (const TvlError&) {
            // A value that does not compare with the others is left out.
          }
        }
        break;
      case kAggCount:
        vlValueAdd(acc, TvlValue(1));
        break;
      case kAggSum:
      case kAggAvg:
        if (!value.IsString()) vlValueAdd(acc, value);
        break;
      default:
        continue;
    }
    a.Value = std::move(acc);
    ++a.Records;
  }
  if (crossColumn == 0) ++AccumulatedRecords;
}

void TvlBand::ResetEndedAccumulators() {
  if (Type == btGroupHeader) {
    for (TvlBand* g = this; g; g = g->ChainNext)
      g->GroupValue = g->Condition.empty() ? TvlValue() : Page->Run.EvaluatePostfix(g->Condition);
    return;
  }
  TvlBand* source = AggregateSource;
  if (!source) return;
  for (TvlAccumulator& a : source->Accumulators) {
    if (!vlSameText(a.FooterName, Name)) continue;
    a.Value = TvlValue(0);
    a.Records = 0;
  }
  source->AccumulatedRecords = 0;
}

void TvlFormation::Aggregate(int code, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                             TvlValue& val) {
  TvlBand* current = vlState().CurBand;
  if (!current) return;
  std::string bandName = vlValueToText(code == kAggCount ? p1 : p2);
  const std::string flag = vlValueToText(code == kAggCount ? p2 : p3);
  auto keyOf = [&](const std::string& prefix) {
    std::string key = prefix;
    key += kAccumulatorSeparator;
    key += static_cast<char>(code);
    key += kAccumulatorSeparator;
    key += vlValueToText(p1);
    key += kAccumulatorSeparator;
    key += flag;
    key += kAccumulatorSeparator;
    return key;
  };

  if (vlValueContext().RegistrationMode) {
    TvlBand* source = RegistrationSource;
    if (!source) return;
    if (vlTrim(bandName).empty()) {
      // No band named: the data band of the footer's own level.
      const int wanted = vlOwnSumBandType(current->Type);
      if (wanted == btNone || source->Type != wanted) return;
      bandName = source->Name;
    }
    if (!vlSameText(vlTrim(bandName), source->Name)) return;
    std::string prefix = current->Name;
    if (current->Type != btCrossFooter && current->HasCrossViews) {
      prefix.insert(0, 1, kAccumulatorSeparator);
      prefix.insert(0, 1, '0');
    }
    source->SetAccumulator(keyOf(prefix), TvlValue(0));
    current->AggregateSource = source;
    return;
  }

  TvlBand* holder = current;
  std::string prefix = current->Name;
  if (current->Type == btCrossData) {
    holder = current->AggregateSource;
    if (!holder) return;
    prefix = std::to_string(current->Page->CrossColumnNo);
    prefix += kAccumulatorSeparator;
    prefix += holder->Name;
  }
  if (TvlBand* source = holder->AggregateSource) val = source->GetAccumulator(keyOf(prefix));
}

}  // namespace vl
