#include "engine/binding/standard_library.h"

#include "engine/core/date_time.h"
#include "engine/core/display_format.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/format_settings.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/core/value_ops.h"
#include "engine/binding/run_access.h"
#include "engine/script/installed_functions.h"
#include "platform/code_page.h"
#include "platform/edit_mask.h"
#include "platform/locale_text.h"
#include "platform/platform.h"

namespace vl {
namespace {

enum TvlStdFunction : int {
  fnAvg, fnCount, fnDayOf, fnFormatDateTime, fnFormatFloat, fnFormatText, fnInput, fnLength,
  fnLowerCase, fnMax, fnMaxNum, fnMessageBox, fnMin, fnMinNum, fnMonthOf, fnNameCase, fnPos,
  fnSum, fnTrim, fnUpperCase, fnYearOf,
};

// One description: the name, its category string and its description string.
struct TvlDescribed {
  const char* Name;
  int Category;
  int Description;
};

constexpr int kAggregate = 55349, kDateTime = 55350, kString = 55351, kOther = 55352, kMath = 55353,
              kBoolean = 55354, kInterpreter = 55355, kReportInfo = 55622;

constexpr TvlDescribed kDescriptions[] = {
    {"AVG", kAggregate, 55360}, {"COUNT", kAggregate, 55361}, {"DAYOF", kDateTime, 55362},
    {"FORMATDATETIME", kString, 55363}, {"FORMATFLOAT", kString, 55364}, {"FORMATTEXT", kString, 55416},
    {"INPUT", kOther, 55365}, {"LENGTH", kString, 55366}, {"LOWERCASE", kString, 55367},
    {"MAX", kAggregate, 55368}, {"MIN", kAggregate, 55369}, {"MONTHOF", kDateTime, 55370},
    {"NAMECASE", kString, 55371}, {"STRTODATE", kDateTime, 55372}, {"STRTOTIME", kDateTime, 55373},
    {"SUM", kAggregate, 55374}, {"TRIM", kString, 55375}, {"UPPERCASE", kString, 55376},
    {"YEAROF", kDateTime, 55377}, {"MAXNUM", kMath, 55412}, {"MINNUM", kMath, 55413},
    {"POS", kString, 55414}, {"MESSAGEBOX", kOther, 55415}, {"IF", kOther, 55378},
    {"COPY", kString, 55379}, {"MOD", kMath, 55380}, {"STR", kString, 55381}, {"NOT", kBoolean, 55382},
    {"AND", kBoolean, 55383}, {"OR", kBoolean, 55384}, {"ROUND", kMath, 55385}, {"FRAC", kMath, 55386},
    {"INT", kMath, 55387}, {"TRUE", kBoolean, 55388}, {"FALSE", kBoolean, 55389},
    {"PAGE#", kOther, 55390}, {"DATE", kDateTime, 55391}, {"TIME", kDateTime, 55392},
    {"LINE#", kOther, 55393}, {"LINETHROUGH#", kOther, 55394}, {"COLUMN#", kOther, 55395},
    {"TOTALPAGES", kOther, 55396},
    {"REPORTCOMMENT", kReportInfo, 55623}, {"REPORTNAME", kReportInfo, 55624},
    {"REPORTAUTOR", kReportInfo, 55625}, {"VMAJOR", kReportInfo, 55626}, {"VMINOR", kReportInfo, 55627},
    {"VRELEASE", kReportInfo, 55628}, {"VBUILD", kReportInfo, 55629}, {"REPORTDATE", kReportInfo, 55630},
    {"REPORTLASTCHANGE", kReportInfo, 55631},
    {"MROK", kInterpreter, 55397}, {"MRCANCEL", kInterpreter, 55398}, {"CURY", kInterpreter, 55399},
    {"FREESPACE", kInterpreter, 55400}, {"FINALPASS", kInterpreter, 55401},
    {"PAGEHEIGHT", kInterpreter, 55402}, {"PAGEWIDTH", kInterpreter, 55403},
    {"PROGRESS", kInterpreter, 55404}, {"MODALRESULT", kInterpreter, 55405},
    {"STOPREPORT", kInterpreter, 55406}, {"NEWPAGE", kInterpreter, 55407},
    {"NEWCOLUMN", kInterpreter, 55408}, {"SHOWBAND", kInterpreter, 55409}, {"INC", kInterpreter, 55410},
    {"DEC", kInterpreter, 55411},
};

TvlValue Eval(const TvlValue& argument) { return vlEvaluateText(argument); }
std::string EvalText(const TvlValue& argument) { return vlValueToText(Eval(argument)); }
TvlDateParts EvalDate(const TvlValue& argument) { return vlDecodeDateTime(vlValueToDateTime(Eval(argument))); }

// 1-based character position of sub in s, 0 when absent (or sub is empty).
std::int32_t CharPos(const std::string& sub, const std::string& s) {
  if (sub.empty()) return 0;
  const std::size_t at = s.find(sub);
  if (at == std::string::npos) return 0;
  return static_cast<std::int32_t>(vlCharCount(std::string_view(s).substr(0, at))) + 1;
}

std::string NameCase(const std::string& s) {
  const std::string lower = vlLocaleLowerCase(s);
  if (lower.empty()) return lower;
  const std::size_t first = vlCharLength(lower, 0);
  return vlLocaleUpperCase(std::string_view(lower).substr(0, first)) + lower.substr(first);
}

TvlValue MessageBox(const TvlValue& p1, const TvlValue& p2, const TvlValue& p3) {
  const std::int32_t flags = vlValueToInteger(Eval(p3));
  const std::string title = EvalText(p2);
  const std::string text = EvalText(p1);
  const TvlMsgResult r = vlPlatform().MessageBox->ShowStyled(text, title, vlMessageBoxStyle(flags));
  return TvlValue(static_cast<std::int32_t>(r));
}

TvlValue Input(const TvlValue& p1, const TvlValue& p2) {
  std::string value = EvalText(p2);
  const std::string prompt = EvalText(p1);
  // Cancelled, the dialog leaves the default.
  vlPlatform().MessageBox->InputBox(std::string(), prompt, value);
  return TvlValue(value);
}

}  // namespace

TvlStdFunctionLibrary::TvlStdFunctionLibrary() : TvlFunctionLibrary(kClassName) {
  List = {"AVG",     "COUNT",   "DAYOF",      "FORMATDATETIME", "FORMATFLOAT", "FORMATTEXT", "INPUT",
          "LENGTH",  "LOWERCASE", "MAX",      "MAXNUM",         "MESSAGEBOX",  "MIN",        "MINNUM",
          "MONTHOF", "NAMECASE", "POS",       "SUM",            "TRIM",        "UPPERCASE",  "YEAROF"};
  TvlInstalledFunctions& installed = vlInstalledFunctions();
  for (const TvlDescribed& d : kDescriptions)
    installed.Add(this, d.Name, vlLoadStr(d.Category), vlLoadStr(d.Description));
}

void TvlStdFunctionLibrary::ComputeFunction(int number, const TvlValue& p1, const TvlValue& p2,
                                            const TvlValue& p3, TvlValue& val) {
  val = TvlValue("0");
  switch (number) {
    case fnSum: vlRunAccess().Aggregate(agSum, p1, p2, p3, val); break;
    case fnMin: vlRunAccess().Aggregate(agMin, p1, p2, p3, val); break;
    case fnMax: vlRunAccess().Aggregate(agMax, p1, p2, p3, val); break;
    case fnAvg: vlRunAccess().Aggregate(agAvg, p1, p2, p3, val); break;
    case fnCount: vlRunAccess().Aggregate(agCount, p1, p2, p3, val); break;
    case fnDayOf: val = TvlValue(static_cast<std::int32_t>(EvalDate(p1).Day)); break;
    case fnMonthOf: val = TvlValue(static_cast<std::int32_t>(EvalDate(p1).Month)); break;
    case fnYearOf: val = TvlValue(static_cast<std::int32_t>(EvalDate(p1).Year)); break;
    case fnFormatDateTime: {
      const double d = vlValueToDateTime(Eval(p2));
      val = TvlValue(vlFormatDateTime(EvalText(p1), d));
      break;
    }
    case fnFormatFloat: {
      const double n = vlValueToFloat(Eval(p2));
      val = TvlValue(vlFormatFloatPicture(EvalText(p1), n));
      break;
    }
    case fnFormatText: {
      const std::string s = EvalText(p2);
      const TvlFormatSettings& fs = vlFormatSettings();
      val = TvlValue(vlFormatMaskText(EvalText(p1) + ";0; ", s, fs.DateSeparator, fs.TimeSeparator));
      break;
    }
    case fnInput: val = Input(p1, p2); break;
    case fnMessageBox: val = MessageBox(p1, p2, p3); break;
    case fnLength: val = TvlValue(static_cast<std::int32_t>(vlCharCount(EvalText(p1)))); break;
    case fnLowerCase: val = TvlValue(vlLocaleLowerCase(EvalText(p1))); break;
    case fnUpperCase: val = TvlValue(vlLocaleUpperCase(EvalText(p1))); break;
    case fnNameCase: val = TvlValue(NameCase(EvalText(p1))); break;
    case fnTrim: val = TvlValue(vlTrim(EvalText(p1))); break;
    case fnPos: {
      const std::string s = EvalText(p2);
      val = TvlValue(CharPos(EvalText(p1), s));
      break;
    }
    case fnMaxNum:
    case fnMinNum: {
      TvlValue a = Eval(p1);
      TvlValue b = Eval(p2);
      const int c = vlValueCompare(a, b);
      val = number == fnMaxNum ? (c > 0 ? std::move(a) : std::move(b)) : (c < 0 ? std::move(a) : std::move(b));
      break;
    }
    default: break;
  }
}

}  // namespace vl
