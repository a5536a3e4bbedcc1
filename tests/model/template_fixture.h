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
#include "tests/model/stream_builder.h"

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

}  // namespace vl::testing
