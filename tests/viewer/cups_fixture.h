#pragma once
// A real printer for the printing tests: a CUPS scheduler of the test's own,
// on a private configuration in a temporary folder, listening only on a local
// socket in that folder, with one PDF queue (the cups-pdf driver) that writes
// every job as a PDF file into the folder. The machine's own CUPS set-up is
// not touched: cupsd runs in a private mount namespace in which the cups-pdf
// configuration file is the test's, and the scheduler ends with the test
// program (or with the test process, should that die first).
//
// Use: derive a test fixture from TvlCupsPrinting. Its SetUp skips the test
// with the reason when the scheduler cannot start (not root, packages
// missing, no mount namespace), otherwise installs the Qt printer and print
// job over the queue with the engine's printer model on it. What the queue
// produced: Server().JobsAfter(mark) from CUPS's page log (copies, media,
// impressions), Server().PdfPages(job) the page sizes of the PDF written.
//
// Needs (scripts/install-deps): cups, cups-client, printer-driver-cups-pdf,
// poppler-utils; runs as root, as CI does.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/printer/printer.h"
#include "platform/direct_progress_window.h"
#include "platform/platform.h"
#include "platform/qt/qt_print_job.h"
#include "platform/qt/qt_printer.h"
#include "platform/recording_message_box.h"
#include "tests/platform_qt/qt_application.h"

namespace vl::test {

// One finished job as CUPS's page log tells it.
struct TvlCupsJob {
  int Id = 0;
  int Impressions = 0;  // pages times copies
  int Copies = 1;       // as asked of the printer
  std::string Media;    // the media name the job asked for
  std::string Title;
};

// A page of a PDF the queue wrote, in points.
struct TvlPdfPage {
  double Width = 0, Height = 0;
};

class TvlCupsServer {
 public:
  static constexpr const char* kQueue = "vlpdf";

  // The scheduler of this test program, started on first use.
  static TvlCupsServer& Instance() {
    static TvlCupsServer server;
    return server;
  }

  bool Running() const { return pid_ > 0; }
  const std::string& Reason() const { return reason_; }
  const std::string& Folder() const { return dir_; }

  // The highest job id so far: jobs of a test are those after it.
  int LastJobId() const {
    int last = 0;
    for (const std::string& line : Lines(Command("lpstat -W all -o " + std::string(kQueue)))) {
      std::smatch m;
      if (std::regex_search(line, m, std::regex(std::string("^") + kQueue + "-([0-9]+) ")))
        last = std::max(last, std::stoi(m[1]));
    }
    return last;
  }

  // Jobs the queue accepted after job mark (finished or not), by id.
  std::vector<int> JobIdsAfter(int mark) const {
    std::vector<int> ids;
    for (const std::string& line : Lines(Command("lpstat -W all -o " + std::string(kQueue)))) {
      std::smatch m;
      if (std::regex_search(line, m, std::regex(std::string("^") + kQueue + "-([0-9]+) ")) &&
          std::stoi(m[1]) > mark)
        ids.push_back(std::stoi(m[1]));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  // The finished jobs after mark, waiting up to timeout for count of them.
  std::vector<TvlCupsJob> JobsAfter(int mark, std::size_t count,
                                    std::chrono::seconds timeout = std::chrono::seconds(90)) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::vector<TvlCupsJob> jobs;
    for (;;) {
      jobs = FinishedJobs(mark);
      if (jobs.size() >= count || std::chrono::steady_clock::now() > end) return jobs;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  }

  // The page sizes of the PDF the queue wrote for a finished job.
  std::vector<TvlPdfPage> PdfPages(int jobId) const {
    std::vector<TvlPdfPage> pages;
    const std::optional<std::string> pdf = PdfOf(jobId);
    if (!pdf) return pages;
    const std::string info = Command("pdfinfo -f 1 -l 100000 '" + *pdf + "'");
    for (const std::string& line : Lines(info)) {
      std::smatch m;
      if (std::regex_search(line, m, std::regex(R"(^Page +[0-9]+ size: +([0-9.]+) x ([0-9.]+) pts)")))
        pages.push_back({std::stod(m[1]), std::stod(m[2])});
    }
    return pages;
  }

  std::optional<std::string> PdfOf(int jobId) const {
    namespace fs = std::filesystem;
    const std::regex name("job_" + std::to_string(jobId) + R"(\.pdf$)");
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(dir_ + "/pdf", ec))
      if (std::regex_search(e.path().filename().string(), name)) return e.path().string();
    return std::nullopt;
  }

  // Runs a shell command against this scheduler; its standard output.
  std::string Command(const std::string& command) const {
    std::string out;
    const std::string full = "CUPS_SERVER='" + Socket() + "' " + command + " 2>/dev/null";
    if (FILE* f = popen(full.c_str(), "r")) {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
      pclose(f);
    }
    return out;
  }

  std::string Socket() const { return dir_ + "/cups.sock"; }

  ~TvlCupsServer() { Stop(); }

 private:
  TvlCupsServer() { Start(); }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::vector<TvlCupsJob> FinishedJobs(int mark) const {
    // PageLogFormat below: queue, job id, "total", impressions, copies, media, title.
    std::vector<TvlCupsJob> jobs;
    std::ifstream log(dir_ + "/log/page_log");
    for (std::string line; std::getline(log, line);) {
      std::istringstream in(line);
      std::string queue, page, copies;
      TvlCupsJob job;
      if (!(in >> queue >> job.Id >> page >> job.Impressions >> copies >> job.Media)) continue;
      if (page != "total" || job.Id <= mark) continue;
      job.Copies = copies == "-" ? 1 : std::atoi(copies.c_str());
      std::getline(in >> std::ws, job.Title);
      jobs.push_back(job);
    }
    return jobs;
  }

  static bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

  static bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
  }

  bool Fail(const std::string& reason) {
    reason_ = "no private CUPS scheduler: " + reason;
    Stop();
    return false;
  }

  bool Start() {
    const char* ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
    for (const char* program : {"cupsd", "lpadmin", "lpstat", "pdfinfo", "unshare", "mount"})
      if (!OnPath(program) && !Exists(std::string("/usr/sbin/") + program))
        return Fail(std::string(program) + " is not installed (scripts/install-deps installs it)");
    if (!Exists("/usr/lib/cups/backend/cups-pdf") || !Exists(ppd) || !Exists("/etc/cups/cups-pdf.conf"))
      return Fail("the cups-pdf printer driver is not installed (scripts/install-deps installs it)");
    if (geteuid() != 0) return Fail("it needs root (the cups-pdf backend and a private mount namespace)");

    char folder[] = "/tmp/vl-cups-XXXXXX";
    if (!mkdtemp(folder)) return Fail("cannot make a temporary folder");
    dir_ = folder;
    // The scheduler's filters run as lp and must reach the spool and the PPD.
    chmod(dir_.c_str(), 0755);
    for (const char* sub : {"etc", "etc/ppd", "spool", "spool/tmp", "cache", "state", "log", "pdf", "pdfspool"}) {
      const std::string path = dir_ + "/" + sub;
      mkdir(path.c_str(), 0755);
    }
    std::ofstream(dir_ + "/etc/cups-files.conf")
        << "ServerRoot " << dir_ << "/etc\nRequestRoot " << dir_ << "/spool\nTempDir " << dir_
        << "/spool/tmp\nCacheDir " << dir_ << "/cache\nStateDir " << dir_ << "/state\nAccessLog " << dir_
        << "/log/access_log\nErrorLog " << dir_ << "/log/error_log\nPageLog " << dir_
        << "/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
           "DocumentRoot /usr/share/cups/doc-root\nUser lp\nGroup lp\nSystemGroup root\nFileDevice No\n";
    // Only the socket in the folder: nothing listens on the network.
    std::ofstream(dir_ + "/etc/cupsd.conf")
        << "Listen " << Socket() << "\nBrowsing Off\nLogLevel info\nMaxJobs 0\nPreserveJobHistory Yes\n"
        << "PageLogFormat %p %j %P %C %{copies} %{media} %{job-name}\n"
           "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
           "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    // Every job as job_<id>.pdf in the folder, whoever sent it.
    std::ofstream(dir_ + "/cups-pdf.conf") << "Out " << dir_ << "/pdf\nAnonDirName " << dir_ << "/pdf\nSpool "
                                           << dir_ << "/pdfspool\nLog " << dir_
                                           << "/log\nLabel 1\nUserUMask 0000\nGrp root\n";

    const std::string script = "mount --bind '" + dir_ + "/cups-pdf.conf' /etc/cups/cups-pdf.conf && exec cupsd -f -c '" +
                               dir_ + "/etc/cupsd.conf' -s '" + dir_ + "/etc/cups-files.conf'";
    const std::string logPath = dir_ + "/log/cupsd.out";
    pid_ = fork();
    if (pid_ < 0) return Fail("cannot start a process");
    if (pid_ == 0) {
      // The scheduler ends with the test process, however that ends.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int out = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out >= 0) {
        dup2(out, 1);
        dup2(out, 2);
      }
      execlp("unshare", "unshare", "--mount", "--propagation", "private", "sh", "-c", script.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    // Up within ten seconds, or not at all.
    bool up = false;
    for (int k = 0; k < 100 && !up; ++k) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        std::ifstream log(logPath);
        std::string first;
        std::getline(log, first);
        return Fail("cupsd did not start (" + first + ")");
      }
      up = Exists(Socket()) && Command("lpstat -r").find("is running") != std::string::npos;
      if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!up) return Fail("cupsd did not answer within ten seconds");
    if (std::system(("CUPS_SERVER='" + Socket() + "' lpadmin -p " + kQueue + " -E -v cups-pdf:/ -P " + ppd +
                     " >/dev/null 2>&1")
                        .c_str()) != 0 ||
        Command("lpstat -p " + std::string(kQueue)).find("enabled") == std::string::npos)
      return Fail("the PDF queue could not be added");
    // Qt and every CUPS client of this process talk to this scheduler.
    setenv("CUPS_SERVER", Socket().c_str(), 1);
    return true;
  }

  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      for (int k = 0; k < 50 && waitpid(pid_, &status, WNOHANG) == 0; ++k)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (waitpid(pid_, &status, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
      }
      pid_ = -1;
    }
    if (!dir_.empty()) {
      std::error_code ec;
      std::filesystem::remove_all(dir_, ec);
      dir_.clear();
    }
  }

  pid_t pid_ = -1;
  std::string dir_;
  std::string reason_;
};

// The engine prints on the private queue through the Qt printer and print job.
class TvlCupsPrinting : public ::testing::Test {
 protected:
  static TvlCupsServer& Server() { return TvlCupsServer::Instance(); }

  void SetUp() override {
    QtApp();
    if (!Server().Running()) GTEST_SKIP() << Server().Reason();
    previous_ = vlPlatform();
    printer_ = std::make_unique<TvlQtPrinter>();
    job_ = std::make_unique<TvlQtPrintJob>(*printer_);
    vlInstallPlatform(TvlPlatform{&Messages, nullptr, nullptr, printer_.get(), &Progress, job_.get()});
    vlResetPrinter(printer_.get());
    const int queue = vlPrinter().IndexOfPrinter(TvlCupsServer::kQueue);
    ASSERT_GE(queue, 0) << "Qt does not list the queue";
    ASSERT_TRUE(vlPrinter().SelectPrinter(queue));
    Mark = Server().LastJobId();
  }

  void TearDown() override {
    if (!printer_) return;
    vlInstallPlatform(previous_);
    vlResetPrinter(previous_.Printer);
    job_.reset();
    printer_.reset();
  }

  // The jobs of this test, once count of them have finished.
  std::vector<TvlCupsJob> Jobs(std::size_t count) const { return Server().JobsAfter(Mark, count); }

  TvlRecordingMessageBox Messages;
  TvlDirectProgressWindow Progress;
  int Mark = 0;

 private:
  TvlPlatform previous_;
  std::unique_ptr<TvlQtPrinter> printer_;
  std::unique_ptr<TvlQtPrintJob> job_;
};

// Page sizes in points compare without regard to which side the printer
// feeds first, within two points.
inline bool SameSheet(const TvlPdfPage& page, double widthPt, double heightPt) {
  const double a = std::min(page.Width, page.Height), b = std::max(page.Width, page.Height);
  const double c = std::min(widthPt, heightPt), d = std::max(widthPt, heightPt);
  return std::abs(a - c) <= 2 && std::abs(b - d) <= 2;
}

}  // namespace vl::test
