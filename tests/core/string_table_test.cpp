#include <gtest/gtest.h>

#include "engine/core/string_table.h"

namespace vl {
namespace {

TEST(StringTable, ServesEntriesByNumberAndLetsAHookLocalise) {
  EXPECT_EQ(vlLoadStr(str::kVirtualPrinter), "Virtual printer");
  EXPECT_EQ(vlLoadStr(str::kError), "Error");
  EXPECT_EQ(vlLoadStr(str::kFirstBandName), "Report title");
  EXPECT_EQ(vlLoadStr(str::kFirstBandName + 22), "None");
  EXPECT_EQ(vlLoadStr(str::kFirstPaperName + 20), "#10 Envelope, 4 1/8  x 9 1/2\"");
  EXPECT_EQ(vlLoadStr(12345), "");
  EXPECT_FALSE(vlHasStr(55193));  // the word-break menu entry has no text

  vlSetLocalisationHook([](int id) { return id == 55206 ? std::string("Fehler") : std::string(); });
  EXPECT_EQ(vlLoadStr(55206), "Fehler");
  EXPECT_EQ(vlLoadStr(55007), "Virtual printer");  // an empty answer falls through
  vlSetLocalisationHook(nullptr);
  EXPECT_EQ(vlLoadStr(55206), "Error");
}

}  // namespace
}  // namespace vl
