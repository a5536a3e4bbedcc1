// vlreport convert: loads a template of any readable version and saves it in
// the current one.

#include "app/vlreport/command.h"
#include "app/vlreport/template_load.h"
#include "engine/core/error.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

int RunConvert(const Args& args) {
  ArgReader reader(args);
  const std::string password = reader.Option("--password");
  const Args rest = reader.Positional();
  if (rest.size() != 2) throw UsageError{vlTr("needs an input and an output file")};
  if (IsDictionaryFile(rest[0])) {
    TvlDataDictionary dictionary;
    LoadDictionary(dictionary, rest[0]);
    dictionary.SaveToFile(rest[1]);
    return 0;
  }
  TvlReport report;
  LoadTemplate(report, rest[0], password);
  report.SaveToFile(rest[1]);
  return 0;
}

}  // namespace vl::cli
