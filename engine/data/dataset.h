#pragma once
// The cursor interface that data bands walk. TvlUserDataset has records only
// through its range settings and event handlers; the engine also makes one for
// a band whose data source is written as a number, to print the band that many
// times.

#include <cstdint>
#include <functional>

#include "engine/data/components.h"

namespace vl {

enum TRangeBegin : std::uint8_t { rbFirst, rbCurrent };
enum TRangeEnd : std::uint8_t { reLast, reCurrent, reCount };

class TvlDataset;
using TvlNotifyEvent = std::function<void(TvlDataset& sender)>;
using TvlCheckEOFEvent = std::function<void(TvlDataset& sender, bool& eof)>;

class TvlDataset : public TvlComponent {
 public:
  using TvlComponent::TvlComponent;

  TRangeBegin RangeBegin = rbFirst;
  TRangeEnd RangeEnd = reLast;
  std::int32_t RangeEndCount = 0;
  TvlNotifyEvent OnFirst, OnNext, OnPrior;
  TvlCheckEOFEvent OnCheckEOF;

  // Number of "next" steps since "first". After a data loop it is the number
  // of records walked (the cross band's column count).
  std::int32_t RecNo() const noexcept { return recNo_; }

  // Cursor operations, in slot order.
  virtual void Init() {}
  virtual void Exit() {}
  virtual void First();
  virtual void Next();
  virtual void Prior();
  virtual bool Eof();

 protected:
  // Counts a step without moving or firing OnNext: a range that ends on its
  // own still leaves the number of records walked in RecNo.
  void CountStep() noexcept { ++recNo_; }

 private:
  std::int32_t recNo_ = 0;
};

class TvlUserDataset : public TvlDataset {
 public:
  using TvlDataset::TvlDataset;
};

}  // namespace vl
