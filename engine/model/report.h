#pragma once
// The report component, template side: its pages, dictionary, options and
// information block, and the template stream and file.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/model/data_dictionary.h"
#include "engine/model/pages.h"
#include "engine/model/prepared_pages.h"
#include "engine/core/value.h"
#include "platform/cursor.h"

namespace vl {

class TvlStreamReader;
class TvlStreamWriter;
class TvlBand;
class TvlDataset;
class TvlPreview;
class TvlComponent;

// How the last LoadFromStream ended, for callers that report it themselves
// (the command-line tool); the user has already seen any message.
enum class TvlLoadStatus : std::uint8_t {
  Loaded,           // the template was read
  Empty,            // an empty stream: nothing changed but the dictionary
  NewerVersion,     // a version byte above 25: nothing changed
  Unsupported,      // a damaged stream: one empty page is left
  MissingClasses,   // add-in classes not registered: the other views were read
  PasswordRefused,  // the password was not given: one empty page is left
};

// The report's events for the application: a name's value, asked before any
// other meaning of the name, and a function call that no library handled.
using TDetailEvent = std::function<void(const std::string& ParName, TvlValue& ParValue)>;
using TvlUserFunctionEvent = std::function<void(std::string_view Name, const TvlValue& p1,
                                                const TvlValue& p2, const TvlValue& p3, TvlValue& Val)>;
// The run's events (handlers the application assigns; unassigned ones do nothing).
using TBeginDocEvent = std::function<void()>;
using TEndDocEvent = std::function<void()>;
using TBeginPageEvent = std::function<void(std::int32_t pgNo)>;
using TEndPageEvent = std::function<void(std::int32_t pgNo)>;
using TBeginBandEvent = std::function<void(TvlBand* Band)>;
using TEndBandEvent = std::function<void(TvlBand* Band)>;
using TEnterRectEvent = std::function<void(std::vector<std::string>& Memo, TvlView* View)>;
using TProgressEvent = std::function<void(std::int32_t n)>;
using TBeginColumnEvent = std::function<void(TvlBand* Band)>;
using TPrintColumnEvent = std::function<void(std::int32_t ColNo, std::int32_t& Width)>;
using TManualBuildEvent = std::function<void(TvlPage* Page)>;
using TObjectClickEvent = std::function<void(TvlView* View)>;
using TMouseOverObjectEvent = std::function<void(TvlView* View, TvlCursor& Cursor)>;
using TPrintReportEvent = std::function<void()>;

enum TvlReportType : std::uint8_t { rtSimple, rtMultiple };

// How a print of the prepared pages ended.
enum class TvlPrintResult : std::uint8_t {
  Printed,         // every selected page went to the printer
  NothingToPrint,  // the range and the odd/even choice select no page: no job was started
  Cancelled,       // Cancel in the progress window aborted the job
  BadRange,        // the range text was refused with a message: nothing printed
  NoPrinter,       // the platform has no printer: nothing printed
  Failed,          // the printer refused the job or a page could not be drawn (message shown)
};
enum TvlPreviewZoom : std::uint8_t { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
// Members of the set of preview toolbar buttons.
enum TvlPreviewButton : std::uint16_t {
  pbZoom = 1 << 0, pbLoad = 1 << 1, pbSave = 1 << 2, pbPrint = 1 << 3,
  pbFind = 1 << 4, pbHelp = 1 << 5, pbExit = 1 << 6, pbPageSetup = 1 << 7,
};
inline constexpr std::uint16_t kAllPreviewButtons = 0xFF;

class TvlReport {
 public:
  static constexpr std::uint8_t kGeneratorVersion = 88;

  TvlReport();
  TvlReport(const TvlReport&) = delete;
  TvlReport& operator=(const TvlReport&) = delete;
  ~TvlReport();

  TvlPages Pages{this};
  TvlDataDictionary Dictionary;
  std::string Name;  // component name
  std::string FileName;  // "Untitled" until a file is loaded
  std::string PrinterName;
  bool SelectPrinterWhenLoaded = false;  // stored inverted, as "print to the default printer"
  bool TwoPassReport = false;
  // Report information.
  std::string ReportComment, ReportName, ReportAutor;
  std::string VMajor, VMinor, VRelease, VBuild;
  double ReportCreateDate = 0, ReportLastChange = 0;  // days from 30 December 1899
  bool PasswordProtected = false;
  std::string Password;
  std::uint8_t GeneratorVersion = kGeneratorVersion;
  bool StoreInDFM = false;  // embed the template in the owning window's description
  // Run-time flags for the designer; never stored.
  bool Modified = false, ComponentModified = false;
  TDetailEvent OnGetValue;
  TvlUserFunctionEvent OnUserFunction;

  // ---- Preparation, preview and printing settings (published with the
  // owning window, not stored in templates). ----
  // The host component (a form) whose components the templates name by
  // plain name; not owned.
  TvlComponent* Owner = nullptr;
  TvlDataset* Dataset = nullptr;  // not owned; the report of an rtMultiple run walks it
  TvlReportType ReportType = rtSimple;
  bool ShowProgress = true;
  bool ModalPreview = true;
  bool MDIPreview = false;
  bool ModifyPrepared = true;
  TvlPreview* Preview = nullptr;  // an embedded preview control, not owned
  std::uint16_t PreviewButtons = kAllPreviewButtons;
  TvlPreviewZoom InitialZoom = pzDefault;
  bool PrintIfEmpty = true;
  bool ShowPrintDialog = true;
  std::int32_t DefaultCopies = 1;
  bool DefaultCollate = true;
  bool GrayedButtons = false;
  std::string Title;
  bool RebuildPrinter = false;
  bool UseDefaultDataSetName = false;

  TBeginDocEvent OnBeginDoc;
  TEndDocEvent OnEndDoc;
  TBeginPageEvent OnBeginPage;
  TEndPageEvent OnEndPage;
  TBeginBandEvent OnBeginBand;
  TEndBandEvent OnEndBand;
  TEnterRectEvent OnBeforePrint;
  TProgressEvent OnProgress;
  TBeginColumnEvent OnBeginColumn;
  TPrintColumnEvent OnPrintColumn;
  TManualBuildEvent OnManualBuild;
  TObjectClickEvent OnObjectClick;
  TMouseOverObjectEvent OnMouseOverObject;
  TPrintReportEvent OnPrintReport;

  // The prepared pages (Prepare writes them, the preview and printing read them).
  TvlEMFPages EMFPages{this};

  // Run state, never stored.
  bool StopRequested = false;
  bool IsFinalPass = false;
  bool DoublePass = false;   // TwoPassReport as it stood when Prepare started
  bool Rebuildable = true;   // false after a prepared-report file was loaded
  TvlPage* CurPage = nullptr;

  TvlLoadStatus LastLoadStatus = TvlLoadStatus::Loaded;
  std::string LastLoadMessage;  // the message shown for the last failed load

  // Replaces the template by the one in the stream. Failures are shown in a
  // message box (caption "Error") and never thrown.
  void LoadFromStream(TvlStreamReader& r);
  // Writes the template; a text that cannot be stored raises TvlStreamError.
  void SaveToStream(TvlStreamWriter& w);
  // False when the file does not exist; otherwise loads it and takes its path
  // as the file name (unless the password was refused) and returns true.
  bool LoadFromFile(const std::string& path);
  // Writes through a temporary file renamed over the target; file system
  // errors raise TvlError and leave the previous file as it was.
  void SaveToFile(const std::string& path);

  void Clear();
  void ResetInfo();
  // Selects the named printer when SelectPrinterWhenLoaded is set and the
  // printer exists; stores the name in any case.
  void ChangePrinter(const std::string& name);
  // The first view of any page whose name equals name ignoring case.
  TvlView* FindObject(const std::string& name) const;

  // ---- The run. Prepare, PrepareAndShow, ShowPrepared and EditPreparedPage
  // are defined with page formation (engine/formation); showing and
  // designing reach their windows through hooks installed at start-up. ----
  // Builds the prepared pages; false when cancelled (progress window or a
  // dialog page) or when an error stopped a run shown with the progress window.
  bool Prepare();
  void PrepareAndShow();
  void ShowPrepared();
  // Opens the designer on one prepared page (the preview's page editor).
  void EditPreparedPage(int index);
  // Selects the stored printer, adds a page to an empty report and opens the
  // designer modally; returns its modal result.
  int DesignReport();
  // ---- Printing, defined with the output (engine/output). ----
  // Prints the prepared pages (or those the Preview control holds while the
  // report's own store is empty) on the platform's current printer: the
  // pages of rangeText (empty for all, see TvlPageList), printPages 0 all,
  // 1 odd, 2 even page numbers; with collate the selection is printed copies
  // times, otherwise the printer makes the copies. A job per run of pages on
  // the same paper; shown in the progress window unless OnProgress is
  // assigned or ShowProgress is off. Refusals are shown in a message box.
  TvlPrintResult PrintPrepared(const std::string& rangeText, std::int32_t copies, std::int32_t printPages,
                               bool collate);

  // The prepared-report file; a loaded report cannot rebuild its pages.
  // Failures raise TvlError with a clear text.
  void LoadPreparedReport(const std::string& path);
  void SavePreparedReport(const std::string& path);

  // The binary property "ReportForm" in the owning window's description: an
  // int32 25, then with StoreInDFM the template's length and bytes. Reading
  // holds the template until Loaded() loads it.
  void WriteReportForm(TvlStreamWriter& w);
  void ReadReportForm(TvlStreamReader& r);
  void Loaded();

 private:
  // Empties the information block and the password (Clear and ResetInfo).
  void ClearInfo();
  void Fail(TvlLoadStatus status, const std::string& message);
  void ReadInfo(TvlStreamReader& r);
  void WriteInfo(TvlStreamWriter& w);
  bool CheckPassword();

  std::unique_ptr<std::string> heldForm_;  // template bytes read from "ReportForm"
};

}  // namespace vl
