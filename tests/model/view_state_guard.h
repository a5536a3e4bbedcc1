#pragma once
// Puts the engine state and the views' seams back after a test.

#include <gtest/gtest.h>

#include "engine/core/engine_state.h"
#include "engine/model/views.h"

namespace vl::test {

class ViewStateGuard : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = vlState(); }
  void TearDown() override {
    vlState() = saved_;
    vlSetBandAlignProvider(nullptr);
    vlPrintHooks() = {};
    vlBandTitles() = true;
  }
  static void Mode(TvlDocMode m) { vlState().DocMode = m; }
  // A page of the given objects, limits and paper for the seams.
  static void UsePage(std::vector<TvlView*> objects, std::int32_t left = 0, std::int32_t right = 700,
                      std::int32_t paperWidth = 794, std::int32_t paperHeight = 1123) {
    vlSetBandAlignProvider([=](TvlView&, TvlBandAlignContext& ctx) {
      ctx.Mode = vlState().DocMode;
      ctx.Objects = objects;
      ctx.PageLeft = left;
      ctx.PageRight = right;
      ctx.PaperWidth = paperWidth;
      ctx.PaperHeight = paperHeight;
      return true;
    });
  }

 private:
  TvlEngineState saved_;
};

}  // namespace vl::test
