#pragma once
// One subcommand of the command-line tool: its name, a one-line usage text
// and the function that runs it with the arguments after the name.

#include <string>
#include <vector>

namespace vl::cli {

using Args = std::vector<std::string>;

struct Command {
  const char* Name;
  const char* Usage;
  int (*Run)(const Args& args);
};

// Raised by subcommands for bad input; main prints the message and exits 1.
struct UsageError {
  std::string Message;
};

// Reads "--name VALUE" options and flags; everything else is positional.
class ArgReader {
 public:
  explicit ArgReader(const Args& args) : args_(args) {}
  bool Flag(const std::string& name);
  // The value after --name, or fallback when absent; a missing value is a UsageError.
  std::string Option(const std::string& name, const std::string& fallback = {});
  bool Has(const std::string& name) const;
  // Positional arguments left after options and flags were taken.
  Args Positional() const;
  // Every value of a repeatable option.
  Args Options(const std::string& name);

 private:
  Args args_;
  std::vector<bool> used_ = std::vector<bool>(args_.size(), false);
};

// Subcommands, one file each.
int RunPrinters(const Args& args);
int RunPaper(const Args& args);
int RunEval(const Args& args);
int RunPostfix(const Args& args);
int RunData(const Args& args);
int RunInfo(const Args& args);
int RunConvert(const Args& args);
int RunLayout(const Args& args);
int RunScript(const Args& args);
int RunFormat(const Args& args);
int RunRenderTemplate(const Args& args);
int RunPrepare(const Args& args);
int RunRender(const Args& args);
int RunPrint(const Args& args);
int RunPaths(const Args& args);
int RunLabels(const Args& args);

}  // namespace vl::cli
