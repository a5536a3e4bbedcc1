// Template reader: any byte sequence must end as a loaded template, "Unsupported
// VLF format" or the missing-class message, never in a crash, hang or runaway
// allocation. The same bytes, less the first, are read as a dictionary file.

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
#include "tests/model/sample_template.h"
#include "tests/model/stream_builder.h"

using namespace vl;

namespace {

TvlRecordingMessageBox& Box() {
  static TvlRecordingMessageBox box;  // quiet: messages are only counted
  return box;
}

std::string Saved(TvlReport& r) {
  TvlStreamWriter w;
  r.SaveToStream(w);
  return w.TakeBytes();
}

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  TvlReport r;
  sample::Fill(r);
  seeds.push_back(Saved(r));
  r.PasswordProtected = true;
  r.Password = "pw";
  seeds.push_back(Saved(r));
  sample::FillMemos(r, 3);
  seeds.push_back(Saved(r));
  for (int v = 21; v <= 25; ++v) seeds.push_back(testing::OldTemplate(v));
  seeds.push_back(testing::WithRecords([](testing::StreamBuilder& s) {
    s.U8(otAddIn).Str("TvlChartView").U8(0);
    const std::size_t end = s.Placeholder();
    s.Raw("data");
    s.Patch(end);
    s.U8(7).U8(0);
    const std::size_t end7 = s.Placeholder();
    s.Patch(end7);
  }));
  // An oldest-layout dictionary in a .vld form.
  testing::StreamBuilder d(25);
  d.U8(25).I32(1).U8(2).I32(1).U8(0).U8(3).Raw("1+2").U8(1).Raw("S").List({"Cat", " S"});
  seeds.push_back(d.Bytes());
  return seeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vlInstallPlatform(TvlPlatform{&Box(), nullptr, nullptr, nullptr});
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Box().Messages.clear();
  {
    TvlReport report;
    TvlStreamReader r(data, size);
    report.LoadFromStream(r);  // never throws
    if (Box().Messages.size() > 1) __builtin_trap();
    if (report.LastLoadStatus == TvlLoadStatus::Loaded) {
      // What was read can be written again, unless a text is too long for the format.
      try {
        Saved(report);
      } catch (const TvlStreamError&) {
      }
    }
  }
  if (size > 0) {
    vlState().StreamVersion = kCurrentStreamVersion;
    TvlDataDictionary dictionary;
    TvlStreamReader r(data + 1, size - 1);
    try {
      dictionary.LoadFromStream(r);
    } catch (const TvlError&) {
    }
  }
  return 0;
}
