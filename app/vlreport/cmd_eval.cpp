// vlreport eval: one expression through the engine's evaluator, with names
// answered from --var NAME=VALUE options and calls going to the function
// libraries (INPUT answers its default, MESSAGEBOX writes its text to
// standard error and answers 1, aggregates give 0); with --template FILE.vlf the
// expression is evaluated as a report text of that template would be (its
// dictionary, its objects' properties, the system variables with page
// numbers 0, named constants), the --var values being script variables.

#include <QString>
#include <charconv>
#include <cmath>

#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/value_convert.h"
#include "engine/core/variables.h"
#include "app/vlreport/template_load.h"
#include "engine/core/date_time.h"
#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/binding/globals.h"
#include "engine/binding/value_resolution.h"
#include "engine/script/parser.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

const char* KindName(TvlValueKind kind) {
  switch (kind) {
    case TvlValueKind::Empty: return "Empty";
    case TvlValueKind::Null: return "Null";
    case TvlValueKind::Integer: return "Integer";
    case TvlValueKind::Float: return "Float";
    case TvlValueKind::Boolean: return "Boolean";
    case TvlValueKind::DateTime: return "DateTime";
    case TvlValueKind::String: return "String";
    case TvlValueKind::Array: return "Array";
  }
  return "?";
}

TvlValue EvaluateWithVariables(const TvlVariables& vars, const std::string& expression);

}  // namespace

int RunEval(const Args& args) {
  ArgReader reader(args);
  const TvlVariables vars = ReadAssignments(reader, "--var");
  const std::string templatePath = reader.Option("--template");
  const std::string password = reader.Option("--password");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one expression")};
  const std::string expression = vlFromQt(QString::fromUtf8(rest[0].c_str()));

  TvlValue result;
  if (!templatePath.empty()) {
    TvlGlobals* globals = vlGlobals();
    if (!globals) throw TvlError(vlTr("The engine's globals are not created"));
    TvlReport report;
    LoadTemplate(report, templatePath, password);
    for (const auto& entry : vars.Entries()) globals->ScriptVariables.Set(entry.Name, entry.Value);
    TvlEngineState& st = vlState();
    st.CurReport = &report;
    st.CurPage = report.Pages.Count() > 0 ? report.Pages[0] : nullptr;
    st.CurView = nullptr;
    st.PageNo = 0;
    st.TotalPages = 0;
    struct Reset {
      ~Reset() {
        vlState().CurReport = nullptr;
        vlState().CurPage = nullptr;
      }
    } reset;
    // DATE and TIME: now, as preparation would capture them.
    const double now = vlNow();
    vlValueContext().ReportDate = std::floor(now);
    vlValueContext().ReportTime = now - std::floor(now);
    result = globals->Parser.Evaluate(expression);
  } else {
    result = EvaluateWithVariables(vars, expression);
  }

  nlohmann::ordered_json doc;
  doc["kind"] = KindName(result.Kind());
  doc["text"] = Utf8(vlValueToText(result));
  PrintJson(doc);
  return 0;
}

namespace {
TvlValue EvaluateWithVariables(const TvlVariables& vars, const std::string& expression) {
  TvlParser parser;
  AnswerFromVariables(parser, vars);
  // Library functions read their arguments through the shared evaluator.
  struct Restore {
    TvlExpressionEvaluator* saved = vlShared().Evaluator;
    ~Restore() { vlShared().Evaluator = saved; }
  } restore;
  vlShared().Evaluator = &parser;
  return parser.Evaluate(expression);
}
}  // namespace

}  // namespace vl::cli
