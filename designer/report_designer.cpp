#include "designer/report_designer.h"

namespace vl {

namespace {
TvlReportDesigner*& Running() {
  static TvlReportDesigner* running = nullptr;
  return running;
}
}  // namespace

TvlReportDesigner::TvlReportDesigner(TvlReport& report, bool firstInstance, QWidget* parent)
    : QDialog(parent), Report(report), FirstInstance(firstInstance) {
  previous_ = Running();
  Running() = this;
}

TvlReportDesigner::~TvlReportDesigner() {
  if (Running() == this) Running() = previous_;
}

TvlReportDesigner* vlCurrentDesigner() { return Running(); }

TvlDesignerClass& vlDesignerClass() {
  static TvlDesignerClass designerClass;
  return designerClass;
}

std::string vlBracketExpression(const std::string& e) {
  if (e.empty()) return e;
  if (e.size() >= 2 && e.front() == '[' && e.back() == ']' && e.find('[', 1) == std::string::npos) return e;
  return "[" + e + "]";
}

}  // namespace vl
