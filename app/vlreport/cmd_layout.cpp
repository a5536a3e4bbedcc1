// vlreport layout: one text view of a template laid out as it would print,
// after its brackets are expanded with --set NAME=VALUE variables: the
// wrapped lines (paragraph marks shown as \x01), the text height and the
// height the view asks of its band.

#include <QString>
#include <charconv>

#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/value_convert.h"
#include "engine/core/variables.h"
#include "engine/model/bracket_text.h"
#include "engine/model/memo_view.h"
#include "engine/script/parser.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

std::string ShowMarks(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c == '\x01') out += "\\x01";
    else out += c;
  }
  return out;
}

// Puts the engine's run state back however the command ends.
struct StateRestorer {
  TvlEngineState saved = vlState();
  TvlExpressionEvaluator* evaluator = vlShared().Evaluator;
  TvlBracketHooks hooks = vlBracketHooks();
  ~StateRestorer() {
    vlShared().Evaluator = evaluator;
    vlState().DocMode = saved.DocMode;
    vlBracketHooks() = hooks;
  }
};

}  // namespace

int RunLayout(const Args& args) {
  ArgReader reader(args);
  const std::string objectName = reader.Option("--object");
  if (objectName.empty()) throw UsageError{vlTr("needs --object NAME")};
  const TvlVariables vars = ReadAssignments(reader, "--set");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one template file")};

  TvlReport report;
  LoadTemplate(report, rest[0]);
  TvlView* view = report.FindObject(vlFromQt(QString::fromUtf8(objectName.c_str())));
  if (!view) throw TvlError(vlTr("no object named '%1' in %2", {objectName, rest[0]}));
  auto* memo = dynamic_cast<TvlMemoView*>(view);
  if (!memo) throw TvlError(vlTr("'%1' is not a text object", {objectName}));

  TvlParser parser;
  AnswerFromVariables(parser, vars);
  StateRestorer restore;
  vlShared().Evaluator = &parser;
  // The given variables answer the brackets, not a report being prepared.
  vlBracketHooks().Text = nullptr;
  vlState().DocMode = TvlDocMode::dmPrinting;

  // A view stored invisible (shown by its script) is laid out all the same.
  memo->Visible = true;
  const std::int32_t calcHeight = memo->CalcHeight();
  nlohmann::ordered_json doc;
  doc["object"] = Utf8(memo->Name);
  nlohmann::ordered_json lines = nlohmann::ordered_json::array();
  for (const std::string& line : memo->PrintedMemo) lines.push_back(Utf8(ShowMarks(line)));
  doc["lines"] = lines;
  doc["lineHeight"] = memo->LineHeight;
  doc["textHeight"] = memo->PrintedMemo.empty() ? 0 : memo->TextHeight;
  doc["calcHeight"] = calcHeight;
  doc["minHeight"] = memo->MinHeight();
  doc["remainHeight"] = memo->RemainHeight();
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
