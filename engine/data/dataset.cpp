#include "engine/data/dataset.h"

namespace vl {

void TvlDataset::First() {
  recNo_ = 0;
  if (OnFirst) OnFirst(*this);
}

void TvlDataset::Next() {
  ++recNo_;
  // The step that reaches the count ends the range: no record follows it.
  if (!(RangeEnd == reCount && recNo_ >= RangeEndCount) && OnNext) OnNext(*this);
}

void TvlDataset::Prior() {
  --recNo_;
  if (OnPrior) OnPrior(*this);
}

bool TvlDataset::Eof() {
  bool eof = RangeEnd == reCount && recNo_ >= RangeEndCount;
  if (OnCheckEOF) OnCheckEOF(*this, eof);
  return eof;
}

}  // namespace vl
