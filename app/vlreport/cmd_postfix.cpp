// vlreport postfix: the stored (postfix) form of an expression, with its
// operator codes shown as \xNN.

#include <QString>
#include <cstdio>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/script/parser.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

int RunPostfix(const Args& args) {
  const Args rest = ArgReader(args).Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one expression")};
  const std::string postfix = TvlParser().ToPostfix(vlFromQt(QString::fromUtf8(rest[0].c_str())));
  std::printf("%s\n", Utf8(vlPostfixToDisplay(postfix)).c_str());
  return 0;
}

}  // namespace vl::cli
