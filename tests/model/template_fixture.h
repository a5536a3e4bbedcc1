#pragma once
// What the template tests share: a known printer model (only the virtual
// printer), a message box that records, and a byte builder for hand-made
// streams of any version.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"

namespace vl::testing {

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static TvlMemoryPrinter noPrinters;
    static TvlRecordingMessageBox box;
    vlResetPrinter(&noPrinters);
    box.Messages.clear();
    box.Prompts.clear();
    box.TextAnswers.clear();
    vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, &noPrinters});
    messages = &box;
    vlState().ClearError();
    vlState().StreamVersion = kCurrentStreamVersion;
  }

  static std::string Save(TvlReport& report) {
    TvlStreamWriter w;
    report.SaveToStream(w);
    return w.TakeBytes();
  }
  static void Load(TvlReport& report, const std::string& bytes, bool inMemory = true) {
    TvlStreamReader r(bytes, inMemory);
    report.LoadFromStream(r);
  }

  TvlRecordingMessageBox* messages = nullptr;
};

// Bytes of a stream of the given version: texts and text lists take the
// version's encoding.
class StreamBuilder {
 public:
  explicit StreamBuilder(int version) : v_(version) {}
  int Version() const { return v_; }
  StreamBuilder& U8(int b) { w_.WriteByte(static_cast<std::uint8_t>(b)); return *this; }
  StreamBuilder& U16(int b) { w_.WriteU16(static_cast<std::uint16_t>(b)); return *this; }
  StreamBuilder& I32(std::int32_t b) { w_.WriteI32(b); return *this; }
  StreamBuilder& F64(double d) { w_.WriteDouble(d); return *this; }
  StreamBuilder& Raw(const std::string& s) { w_.WriteBytes(s); return *this; }
  StreamBuilder& Str(const std::string& s) {
    if (v_ >= 23) {
      w_.WriteString(s);
    } else {
      w_.WriteBytes(s);
      w_.WriteByte(0);
    }
    return *this;
  }
  StreamBuilder& List(const std::vector<std::string>& lines) {
    if (v_ >= 23) {
      w_.WriteStringList(lines);
    } else {
      for (std::size_t k = 0; k < lines.size(); ++k) {
        w_.WriteBytes(lines[k]);
        if (k + 1 < lines.size()) w_.WriteByte(13);
      }
      w_.WriteByte(0);
    }
    return *this;
  }
  std::size_t Placeholder() { return w_.WriteOffsetPlaceholder(); }
  StreamBuilder& Patch(std::size_t at) { w_.PatchOffset(at); return *this; }
  TvlStreamWriter& Writer() { return w_; }
  std::string Bytes() const { return w_.Bytes(); }

 private:
  int v_;
  TvlStreamWriter w_;
};

}  // namespace vl::testing
