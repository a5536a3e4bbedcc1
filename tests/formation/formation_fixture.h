#pragma once
// Small templates built in code and prepared: bands and text views placed by
// hand, CSV data on a host form, and the prepared pages read back as
// (name, left, top, text) records.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/formation/formation.h"
#include "engine/model/page.h"
#include "engine/model/print_sink.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/views.h"
#include "engine/printer/printer.h"
#include "engine/binding/globals.h"
#include "engine/core/value_convert.h"
#include "engine/binding/standard_library.h"
#include "engine/script/function_library.h"
#include "platform/direct_progress_window.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"

namespace vl::testing {

// One view of a prepared page.
struct Printed {
  std::string Name;
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Text;  // memo lines joined with '|'
};

class FormationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static TvlMemoryPrinter noPrinters;
    vlResetPrinter(&noPrinters);
    box.EchoToStderr = false;
    vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, &noPrinters, &progress});
    if (!vlGlobals()) globals = std::make_unique<TvlGlobals>();
    vlRegisterFunctionLibrary<TvlStdFunctionLibrary>();
    vlState().ClearError();
    report.Name = "Report1";
    report.ShowProgress = false;
    report.Owner = &form;
    page = report.Pages.Add();
    page->Margins = {20, 20, 20, 20};
    dir = std::filesystem::temp_directory_path() /
          ("vl_formation_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override {
    report.Pages.Clear();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  TvlBandView* Band(std::uint8_t type, std::int32_t top, std::int32_t height, const std::string& name,
                    const std::string& source = {}, TvlPage* on = nullptr) {
    auto v = std::make_unique<TvlBandView>();
    v->Name = name;
    v->FrameTyp = type;
    v->Top = top;
    v->Height = height;
    v->FormatText = source;
    TvlBandView* raw = v.get();
    (on ? on : page)->Objects.push_back(std::move(v));
    return raw;
  }
  TvlMemoView* Memo(const std::string& name, std::int32_t left, std::int32_t top, const std::string& text,
                    std::int32_t width = 100, std::int32_t height = 16, TvlPage* on = nullptr) {
    auto v = std::make_unique<TvlMemoView>();
    v->Name = name;
    v->Left = left;
    v->Top = top;
    v->Width = width;
    v->Height = height;
    v->Flags = 0;
    v->Memo = vlSplitLines(text);
    TvlMemoView* raw = v.get();
    (on ? on : page)->Objects.push_back(std::move(v));
    return raw;
  }
  // A CSV file as dataset component name on the report's form.
  TvlDBDataSet& Csv(const std::string& name, const std::string& content) {
    const std::filesystem::path file = dir / (name + ".csv");
    std::ofstream(file) << content;
    auto& source = form.Add<TvlCsvDataSource>(name + "Source");
    source.FileName = file.string();
    auto& dataset = form.Add<TvlDBDataSet>(name);
    dataset.SetDataSet(&source);
    return dataset;
  }

  // Every view of prepared page i (of the fixture's report unless another is named).
  std::vector<Printed> PageViews(int i, TvlReport* of = nullptr) {
    std::vector<Printed> out;
    TvlStreamReader r((of ? *of : report).EMFPages[i].Stream.Bytes(), true);
    r.ReadByte();
    while (!r.AtEnd()) {
      std::unique_ptr<TvlView> v = vlReadPrintedView(r);
      Printed p{v->Name, v->Left, v->Top, v->Width, v->Height, {}};
      // Wrapped lines carry the paragraph mark (character 1) of the stored form.
      for (std::size_t k = 0; k < v->Memo.size(); ++k) {
        std::string line = v->Memo[k];
        line.erase(std::remove(line.begin(), line.end(), '\x01'), line.end());
        p.Text += (k ? "|" : "") + line;
      }
      out.push_back(p);
    }
    return out;
  }
  // The texts of page i in print order.
  std::vector<std::string> Texts(int i, TvlReport* of = nullptr) {
    std::vector<std::string> out;
    for (const Printed& p : PageViews(i, of)) out.push_back(p.Text);
    return out;
  }
  // Every page's texts, pages separated by "/".
  std::string All(TvlReport* of = nullptr) {
    std::string s;
    for (int i = 0; i < (of ? *of : report).EMFPages.Count(); ++i) {
      if (i) s += " / ";
      std::vector<std::string> t = Texts(i, of);
      for (std::size_t k = 0; k < t.size(); ++k) s += (k ? " " : "") + t[k];
    }
    return s;
  }
  int Count(const std::string& text, int pageIndex) {
    int n = 0;
    for (const std::string& t : Texts(pageIndex)) n += t == text;
    return n;
  }

  std::unique_ptr<TvlGlobals> globals;
  TvlRecordingMessageBox box;
  TvlDirectProgressWindow progress;
  TvlForm form{"TestForm"};
  TvlReport report;
  TvlPage* page = nullptr;
  std::filesystem::path dir;
};

}  // namespace vl::testing
