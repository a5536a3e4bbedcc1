// vlreport prepare: a template and its data become prepared pages, exactly
// as the launcher's preview would show them. Data sources given on the
// command line are datasets on a host form, so templates find them by the
// names they were designed with.

#include <cstdio>
#include <memory>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/prepare_template.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/data/components.h"
#include "engine/model/object_factory.h"
#include "engine/model/print_sink.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

nlohmann::ordered_json PagesJson(TvlReport& report) {
  nlohmann::ordered_json pages = nlohmann::ordered_json::array();
  for (int i = 0; i < report.EMFPages.Count(); ++i) {
    const TvlPreparedPage& p = report.EMFPages[i];
    nlohmann::ordered_json views = nlohmann::ordered_json::array();
    const std::string& bytes = report.EMFPages.StreamBytes(i);
    TvlStreamReader r(bytes, true);
    const int savedVersion = vlState().StreamVersion;
    vlState().StreamVersion = r.ReadByte();
    while (!r.AtEnd()) {
      std::unique_ptr<TvlView> v = vlReadPrintedView(r);
      nlohmann::ordered_json text = nlohmann::ordered_json::array();
      for (const std::string& line : v->Memo) text.push_back(Utf8(line));
      views.push_back({{"type", v->Typ},
                       {"class", vlViewClassName(*v)},
                       {"name", Utf8(v->Name)},
                       {"left", v->Left},
                       {"top", v->Top},
                       {"width", v->Width},
                       {"height", v->Height},
                       {"text", text}});
    }
    vlState().StreamVersion = savedVersion;
    pages.push_back({{"paper", p.PaperSize},
                     {"width", p.PaperWidth},
                     {"height", p.PaperHeight},
                     {"orientation", p.Orientation},
                     {"views", views}});
  }
  return {{"pages", pages}};
}

}  // namespace

int RunPrepare(const Args& args) {
  ArgReader reader(args);
  const PrepareOptions options = ReadPrepareOptions(reader);
  const std::string out = reader.Option("--out");
  const bool json = reader.Flag("--json");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one template file")};

  TvlForm form("FormMain");
  TvlReport report;
  const std::vector<TvlEnvelopeProblem> problems = PrepareTemplate(form, report, rest[0], options);

  // No pages (an empty address list, say): nothing is written, and the
  // caller learns that there was nothing to print.
  if (report.EMFPages.Count() == 0) throw TvlError(vlTr("the report has no pages: nothing to print"));
  if (!out.empty()) report.EMFPages.SaveToFile(out);
  if (json) {
    nlohmann::ordered_json doc = PagesJson(report);
    if (options.HasAddressList() || !problems.empty()) doc["Warnings"] = WarningsJson(problems);
    PrintJson(doc);
  } else {
    std::printf("%d page%s\n", report.EMFPages.Count(), report.EMFPages.Count() == 1 ? "" : "s");
  }
  return 0;
}

}  // namespace vl::cli
