// vlreport: the engine without windows, for batch work and for checking the
// engine from scripts. Every subcommand prints a clear message and exits
// non-zero on bad input.

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "app/engine_startup.h"
#include "app/vlreport/command.h"
#include "engine/core/error.h"
#include "platform/batch_message_box.h"
#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "platform/qt/qt_print_job.h"
#include "platform/qt/qt_printer.h"
#include "engine/core/project_texts.h"
#include "engine/core/language.h"

namespace {

using vl::cli::Command;

const Command kCommands[] = {
    {"printers", "vlreport printers", vl::cli::RunPrinters},
    {"paper", "vlreport paper CODE [--landscape] [--printer NAME] [--size WIDTH,HEIGHT]",
     vl::cli::RunPaper},
    {"eval", "vlreport eval \"EXPR\" [--var NAME=VALUE ...] [--template FILE.vlf [--password TEXT]]", vl::cli::RunEval},
    {"postfix", "vlreport postfix \"EXPR\"", vl::cli::RunPostfix},
    {"data", "vlreport data SOURCE [--table T | --query Q] [--limit N]", vl::cli::RunData},
    {"info", "vlreport info FILE.vlf|FILE.vld|FILE.vlp [--password TEXT]", vl::cli::RunInfo},
    {"convert", "vlreport convert IN.vlf OUT.vlf [--password TEXT]", vl::cli::RunConvert},
    {"layout", "vlreport layout FILE.vlf --object NAME [--set NAME=VALUE ...]", vl::cli::RunLayout},
    {"script", "vlreport script FILE [--var NAME=VALUE ...] [--max-steps N] [--max-seconds N]", vl::cli::RunScript},
    {"format", "vlreport format VALUE --format CODE|SUFFIX [--text FORMATTEXT]", vl::cli::RunFormat},
    {"prepare",
     "vlreport prepare FILE.vlf [--dataset NAME=SOURCE ...] [--map FIELD=COLUMN[+COLUMN...] ...] [--var NAME=VALUE ...] "
     "[--password TEXT] [--two-pass] [--strict] [--out OUT.vlp] [--json]",
     vl::cli::RunPrepare},
    {"render",
     "vlreport render FILE.vlf|FILE.vlp (--pdf OUT.pdf | --png OUTPREFIX [--dpi D]) [--pages RANGE] "
     "[--dataset NAME=SOURCE ...] [--map FIELD=COLUMN[+COLUMN...] ...] [--var NAME=VALUE ...] [--password TEXT] [--strict]",
     vl::cli::RunRender},
    {"render-template", "vlreport render-template FILE.vlf --page N --png OUT.png [--dpi D] [--password TEXT]", vl::cli::RunRenderTemplate},
    {"print", "vlreport print FILE.vlf|FILE.vlp --printer NAME [--pages RANGE] [--copies N] [--collate] [--odd|--even] [--title TEXT] [--dataset NAME=SOURCE ...] [--map FIELD=COLUMN[+COLUMN...] ...] [--var NAME=VALUE ...] [--password TEXT] [--strict]",
     vl::cli::RunPrint},
    {"paths", "vlreport paths", vl::cli::RunPaths},
    {"labels", "vlreport labels --sheet NAME [--layout recipient|barcode|return] [--start N] [--dataset Addresses=LIST] [--map FIELD=COLUMN[+COLUMN...] ...] [--var NAME=VALUE ...] [--strict] (--out LABELS.vlf | --pdf OUT.pdf | --png PREFIX [--dpi D] | --printer NAME); vlreport labels --list",
     vl::cli::RunLabels},
};

void DropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "vlreport: %s\n", vl::vlTerminalText(text.toLocal8Bit().toStdString()).c_str());
    std::abort();
  }
}

void PrintUsage(std::FILE* to) {
  std::fprintf(to, "%s\n", vl::vlTr("usage:").c_str());
  for (const Command& c : kCommands) std::fprintf(to, "  %s\n", c.Usage);
  std::fprintf(to, "  vlreport --version\n");
}

}  // namespace

int main(int argc, char** argv) {
  // A batch tool follows the locale it runs in (LANG, LC_ALL, LANGUAGE).
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("vlreport %s\n", VL_VERSION);
    return 0;
  }
  const Command* command = nullptr;
  for (const Command& c : kCommands)
    if (std::strcmp(c.Name, argv[1]) == 0) command = &c;
  if (!command) {
    std::fprintf(stderr, "vlreport: %s\n", vl::vlTerminalText(vl::vlTr("unknown subcommand '%1'", {argv[1]})).c_str());
    return 2;
  }

  // No window is ever shown; the off-screen platform still gives fonts,
  // painting and the printer list.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Standard error holds the tool's own messages only: Qt's notes about its
  // surroundings ("XDG_RUNTIME_DIR not set" on a server) are not for the user.
  qInstallMessageHandler(DropQtNotes);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  static vl::TvlQtPrinter printer;
  static vl::TvlQtPrintJob printJob(printer);
  // No dialog in a batch run: messages go to standard error and are answered
  // OK, input boxes keep their default text.
  static vl::TvlBatchMessageBox messageBox;
  vl::vlInstallPlatform(vl::TvlPlatform{&messageBox, nullptr, nullptr, &printer, nullptr, &printJob});
  vl::vlStartEngine();

  try {
    return command->Run(vl::cli::Args(argv + 2, argv + argc));
  } catch (const vl::cli::UsageError& e) {
    std::fprintf(stderr, "vlreport %s: %s\n%s %s\n", command->Name, vl::vlTerminalText(e.Message).c_str(),
                 vl::vlTr("usage:").c_str(), command->Usage);
  } catch (const vl::TvlError& e) {
    std::fprintf(stderr, "vlreport %s: %s\n", command->Name, vl::vlTerminalText(e.what()).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vlreport %s: %s\n", command->Name, vl::vlTerminalText(e.what()).c_str());
  }
  return 1;
}
