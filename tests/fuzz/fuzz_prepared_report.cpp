// Prepared-report file reader: any bytes must load as pages that save and
// load again unchanged, or be refused with the store left empty; never a
// crash, hang or runaway allocation. (Loading reads every page's records as
// views already; drawing them is the views' own concern.)

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/model/prepared_fixture.h"
#include "tests/platform/picture_fixtures.h"

using namespace vl;

namespace {

std::vector<std::string> Seeds() {
  fixtures::EmfWriter emf(14800, 21000);
  emf.Rect(10, 10, 200, 100);
  return {testing::CurrentLayoutFile(25), testing::CurrentLayoutFile(24), testing::CurrentLayoutFile(0),
          testing::CurrentLayoutFile(25, 1), testing::LegacyFile(emf.Finish())};
}

std::string Saved(TvlEMFPages& store) {
  TvlStreamWriter w;
  store.SaveToStream(w);
  return w.TakeBytes();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static TvlRecordingMessageBox box;
  vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, nullptr});
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TvlReport report;
  TvlEMFPages& store = report.EMFPages;
  try {
    TvlStreamReader r(data, size);
    store.LoadFromStream(r);
  } catch (const TvlError&) {
    if (store.Count() != 0) __builtin_trap();
    return 0;
  }
  const std::string saved = Saved(store);
  {
    TvlEMFPages again(&report);
    TvlStreamReader r(saved);
    again.LoadFromStream(r);  // what was saved must load
    if (again.Count() != store.Count() || Saved(again) != saved) __builtin_trap();
  }
  return 0;
}
