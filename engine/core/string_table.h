#pragma once
// The engine's texts by number. A localisation hook may answer first; a
// non-empty answer wins over the built-in English table.

#include <functional>
#include <string>
#include <vector>

namespace vl {

// Text of a string-table entry; empty when the number has no entry.
std::string vlLoadStr(int id);
bool vlHasStr(int id);

using TvlLocalisationHook = std::function<std::string(int id)>;
void vlSetLocalisationHook(TvlLocalisationHook hook);
// The built-in English text, whatever hook is installed: for names that
// must not change with the language (objects named after their band type).
std::string vlBuiltinStr(int id);
// Every number the built-in table holds, in ascending order.
std::vector<int> vlBuiltinStrIds();

// Numbers the engine refers to by name.
namespace str {
inline constexpr int kOk = 55000;
inline constexpr int kCancel = 55001;
inline constexpr int kVirtualPrinter = 55007;
inline constexpr int kFirstBandName = 55077;  // 23 names, by band type code
inline constexpr int kError = 55206;
inline constexpr int kUntitled = 55209;
inline constexpr int kTransparent = 55229;  // the colour picker's "no colour" button
inline constexpr int kOtherColor = 55230;   // the colour picker's dialog button
inline constexpr int kDefaultCharset = 55337;
inline constexpr int kUnsupportedFormat = 55345;
inline constexpr int kAllFunctions = 55348;
inline constexpr int kUndefinedSymbol = 55439;
inline constexpr int kPasswordCaption = 55653;
inline constexpr int kPasswordPrompt = 55654;
inline constexpr int kPasswordRetype = 55655;
inline constexpr int kFirstPaperName = 56000;  // + paper size code
inline constexpr int kDefaultBin = 56300;
inline constexpr int kNoData = 56301;
inline constexpr int kPrinterNotValid = 56302;
inline constexpr int kMissingClasses = 56310;  // followed by the class names
inline constexpr int kIncludeClasses = 56311;  // after the class names
inline constexpr int kUnsupportedVlp = 56320;
// The print dialog, printing and its messages.
inline constexpr int kPrintCaption = 56800;
inline constexpr int kPrinterGroup = 56801;
inline constexpr int kPrinterName = 56802;
inline constexpr int kPrinterProperties = 56803;
inline constexpr int kPageRangeGroup = 56804;
inline constexpr int kRangeAll = 56805;
inline constexpr int kRangeCurrentPage = 56806;
inline constexpr int kRangePages = 56807;
inline constexpr int kRangeHint = 56808;
inline constexpr int kCopiesGroup = 56809;
inline constexpr int kNumberOfCopies = 56810;
inline constexpr int kCollate = 56811;
inline constexpr int kPrintWhich = 56812;
inline constexpr int kAllPages = 56813;  // then odd pages, even pages
inline constexpr int kPrintingPage = 56821;
inline constexpr int kBadPageRange = 56830;   // followed by the text and the reason
inline constexpr int kRangeBadCharacter = 56831;
inline constexpr int kRangeNoStart = 56832;
inline constexpr int kRangePageZero = 56833;
inline constexpr int kRangeTwoDashes = 56834;
inline constexpr int kRangeNoEnd = 56835;
inline constexpr int kCannotStartPrinting = 56836;
inline constexpr int kCannotPrintJob = 56837;
// Feed calibration of a printer.
inline constexpr int kFeedCalibration = 56840;   // dialog caption, followed by " - " and the printer
inline constexpr int kFeedCalibrationMenu = 56841;
inline constexpr int kFeedShiftRight = 56842;
inline constexpr int kFeedShiftDown = 56843;
inline constexpr int kFeedTurned = 56844;
inline constexpr int kFeedPrintTestPage = 56845;
inline constexpr int kFeedTestPage = 56846;
inline constexpr int kFeedHint = 56847;
inline constexpr int kFeedCalibrationTip = 56848;
inline constexpr int kUnableToOpenDataset = 56400;
inline constexpr int kMissing = 56401;
// Preparation run.
inline constexpr int kPreparingReport = 56600;
inline constexpr int kFirstPass = 56601;
inline constexpr int kProcessingPage = 56602;
inline constexpr int kFrom = 56603;
inline constexpr int kPreview = 56604;
inline constexpr int kCalculationError = 56605;
inline constexpr int kObjectLabel = 56606;
inline constexpr int kReportLabel = 56607;
inline constexpr int kNoProgress = 56608;
inline constexpr int kNotADataset = 56402;
inline constexpr int kCannotOpenDataFile = 56403;
inline constexpr int kBadTableOrQuery = 56404;
inline constexpr int kMalformedCsv = 56405;
inline constexpr int kCsvLine = 56406;
inline constexpr int kCsvUnclosedQuote = 56407;
inline constexpr int kCsvTextAfterQuote = 56408;
inline constexpr int kCsvFieldCount = 56409;
inline constexpr int kCsvNoHeader = 56410;
inline constexpr int kFileTooLarge = 56411;
inline constexpr int kUtf16File = 56412;
inline constexpr int kNoTableOrQuery = 56413;
inline constexpr int kOneSelectOnly = 56414;
inline constexpr int kSourceNotOpen = 56415;
inline constexpr int kBadPosition = 56416;
// vCard files and data sources named by the user.
inline constexpr int kMalformedVCard = 56420;  // followed by the file, kCsvLine, the line and the reason
inline constexpr int kVCardNoColon = 56421;
inline constexpr int kVCardOutsideCard = 56422;
inline constexpr int kVCardEndMissing = 56423;
inline constexpr int kVCardEndWithoutBegin = 56424;
inline constexpr int kVCardVersion = 56425;     // followed by the version
inline constexpr int kVCardCharset = 56426;     // followed by the character set
inline constexpr int kVCardNone = 56427;
inline constexpr int kVCardNesting = 56428;
inline constexpr int kNoFileNamed = 56429;
inline constexpr int kNameATable = 56430;
// Files that are not files, and the limits the data readers hold to; each
// of the limit texts is followed by the limit.
inline constexpr int kNotRegularFile = 56431;
inline constexpr int kLineTooLong = 56432;        // then the limit in bytes
inline constexpr int kFieldTooLong = 56433;       // then the limit in bytes
inline constexpr int kColumnNameTooLong = 56434;  // then the limit in characters
inline constexpr int kTooManyColumns = 56435;     // then the limit
inline constexpr int kTooManyRepeats = 56436;     // then the property, kTooManyRepeatsLimit and the limit
inline constexpr int kTooManyRepeatsLimit = 56437;
inline constexpr int kTooManyRows = 56438;        // then the limit
inline constexpr int kResultTooLarge = 56439;     // then the limit in bytes
inline constexpr int kBytesUnit = 56440;
inline constexpr int kCharactersUnit = 56441;
// The preview window: zoom menu entries, toolbar hints, file filter, search dialog.
inline constexpr int kPageWord = 55004;
inline constexpr int kRemovePageQuestion = 55005;
inline constexpr int kConfirm = 55006;
inline constexpr int kPageWidth = 56700;  // then whole page, two pages
inline constexpr int kEditPage = 56703;   // then add page, delete page
inline constexpr int kHintScale = 56706;  // then open, save, print, find, help, close, page setup
inline constexpr int kReportFile = 56714;
inline constexpr int kTextToFind = 56715;  // then options, case sensitive, origin, 1st page, current page
inline constexpr int kFindCaption = 56710;
inline constexpr int kNoHelpFile = 56721;
}  // namespace str

}  // namespace vl
