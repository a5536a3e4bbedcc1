// vlreport info: a template (.vlf), dictionary (.vld) or prepared-report
// (.vlp) file as JSON, with every stored field under the engine's field names.

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/object_factory.h"
#include "engine/model/views.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Lines(const std::vector<std::string>& lines) {
  Json a = Json::array();
  for (const std::string& l : lines) a.push_back(Utf8(l));
  return a;
}

Json List(const TvlVariables& list) {
  Json a = Json::array();
  for (const TvlVariables::Entry& e : list.Entries())
    a.push_back({{"Name", Utf8(e.Name)}, {"Value", Utf8(vlValueToText(e.Value))}});
  return a;
}

Json Dictionary(const TvlDataDictionary& d) {
  return {{"Variables", List(d.Variables)},
          {"FieldAliases", List(d.FieldAliases)},
          {"BandDataSources", List(d.BandDataSources)}};
}

const char* GraphicKindName(TvlGraphicKind k) {
  switch (k) {
    case gkBitmap: return "bitmap";
    case gkMetafile: return "metafile";
    case gkIcon: return "icon";
    case gkJpeg: return "jpeg";
    default: return "none";
  }
}

Json Margins(const TvlRect& m) {
  return {{"Left", m.Left}, {"Top", m.Top}, {"Right", m.Right}, {"Bottom", m.Bottom}};
}

Json Metrics(const TvlPaperMetrics& m) {
  return {{"PaperWidthU", m.PaperWidthU}, {"PaperHeightU", m.PaperHeightU}, {"OffsetXU", m.OffsetXU},
          {"OffsetYU", m.OffsetYU}, {"PrintableWidthU", m.PrintableWidthU}, {"PrintableHeightU", m.PrintableHeightU}};
}

Json Page(const TvlPage& p, int index) {
  const TvlPaperMetrics& m = p.PaperMetrics;
  return {
      {"Index", index},
      {"Name", Utf8(p.Name)},
      {"PageType", p.PageType},
      {"PaperSize", p.PaperSize},
      {"PaperWidth", p.PaperWidth},
      {"PaperHeight", p.PaperHeight},
      {"Margins", Margins(p.Margins)},
      {"Orientation", p.Orientation},
      {"Bin", p.Bin},
      {"PrintToPrevPage", p.PrintToPrevPage},
      {"UseMargins", p.UseMargins},
      {"Columns", p.Columns},
      {"ColumnGap", p.ColumnGap},
      {"Caption", Utf8(p.Caption)},
      {"BorderStyle", p.BorderStyle},
      {"Color", p.Color},
      {"Left", p.Left},
      {"Top", p.Top},
      {"Width", p.Width},
      {"Height", p.Height},
      {"Position", p.Position},
      {"Script", Lines(p.Script)},
      {"Visible", p.Visible},
      {"PaperMetrics", Metrics(m)},
      {"ObjectCount", p.Objects.size()},
  };
}

Json Object(const TvlView& v, int pageIndex) {
  Json o = {
      {"Type", v.Typ},
      {"ClassName", Utf8(vlViewClassName(v))},
      {"Page", pageIndex},
      {"Name", Utf8(v.Name)},
      {"Left", v.Left},
      {"Top", v.Top},
      {"Width", v.Width},
      {"Height", v.Height},
      {"Flags", v.Flags},
      {"FrameTyp", v.FrameTyp},
      {"FrameWidth", v.FrameWidth},
      {"FrameColor", v.FrameColor},
      {"FrameStyle", v.FrameStyle},
      {"FillColor", v.FillColor},
      {"Format", v.Format},
      {"FormatText", Utf8(v.FormatText)},
      {"Memo", Lines(v.Memo)},
      {"Script", Lines(v.Script)},
      {"Visible", v.Visible},
      {"Restrictions", v.Restrictions},
      {"Tag", Utf8(v.Tag)},
      {"GapX", v.GapX},
      {"GapY", v.GapY},
      {"BandAlign", v.BandAlign},
  };
  if (auto* m = dynamic_cast<const TvlMemoView*>(&v)) {
    o["Font"] = {{"Name", Utf8(m->Font.Name)}, {"Size", m->Font.Size}, {"Style", m->Font.Style},
                 {"Color", m->Font.Color}, {"Charset", m->Font.Charset}};
    o["Alignment"] = m->Alignment;
    o["Highlight"] = {{"Style", m->HighlightStyle}, {"FontColor", m->HighlightFontColor},
                      {"FillColor", m->HighlightFillColor}, {"Condition", Utf8(m->HighlightCondition)}};
    o["LineSpacing"] = m->LineSpacing;
    o["CharSpacing"] = m->CharSpacing;
  } else if (auto* b = dynamic_cast<const TvlBandView*>(&v)) {
    o["BandType"] = b->FrameTyp;
    o["ChildBand"] = Utf8(b->ChildBand);
    o["Master"] = Utf8(b->Master);
    o["Columns"] = b->Columns;
    o["ColumnWidth"] = b->ColumnWidth;
    o["ColumnGap"] = b->ColumnGap;
    o["NewColumnAfter"] = b->NewColumnAfter;
  } else if (auto* p = dynamic_cast<const TvlPictureView*>(&v)) {
    o["Picture"] = GraphicKindName(p->Picture.Kind);
    o["BlobType"] = p->BlobType;
    o["ByteCount"] = p->Picture.Data.size();
  } else if (auto* s = dynamic_cast<const TvlSubReportView*>(&v)) {
    o["TargetPage"] = s->TargetPage;
  }
  return o;
}

// A prepared-report file: its pages with their paper and the views each
// page's records hold, in printing form.
Json PreparedReport(const std::string& path) {
  TvlReport report;
  report.LoadPreparedReport(path);
  TvlEMFPages& store = report.EMFPages;
  Json pages = Json::array();
  Json objects = Json::array();
  for (int k = 0; k < store.Count(); ++k) {
    const TvlPreparedPage& p = store[k];
    const TvlPage* page = store.Expand(k);
    pages.push_back({
        {"Index", k},
        {"PaperSize", p.PaperSize},
        {"PaperWidth", p.PaperWidth},
        {"PaperHeight", p.PaperHeight},
        {"Orientation", p.Orientation},
        {"Bin", p.Bin},
        {"UseMargins", p.UseMargins},
        {"Margins", Margins(p.Margins)},
        {"PaperMetrics", Metrics(p.PaperMetrics)},
        {"StreamBytes", store.StreamBytes(k).size()},
        {"ObjectCount", page->Objects.size()},
    });
    for (const auto& v : page->Objects) objects.push_back(Object(*v, k));
    store[k].Page.reset();  // one page expanded at a time
  }
  return {{"PrinterName", Utf8(report.PrinterName)},
          {"GeneratorVersion", report.GeneratorVersion},
          {"Pages", pages},
          {"Objects", objects}};
}

}  // namespace

int RunInfo(const Args& args) {
  ArgReader reader(args);
  const std::string password = reader.Option("--password");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one file")};
  Json doc;
  if (IsPreparedReportFile(rest[0])) {
    PrintJson(PreparedReport(rest[0]));
    return 0;
  }
  if (IsDictionaryFile(rest[0])) {
    TvlDataDictionary dictionary;
    LoadDictionary(dictionary, rest[0]);
    doc["Dictionary"] = Dictionary(dictionary);
    PrintJson(doc);
    return 0;
  }
  TvlReport report;
  LoadTemplate(report, rest[0], password);
  // An empty file has no version byte.
  doc["Version"] = report.LastLoadStatus == TvlLoadStatus::Empty ? Json() : Json(vlState().StreamVersion);
  doc["PrinterName"] = Utf8(report.PrinterName);
  doc["SelectPrinterWhenLoaded"] = report.SelectPrinterWhenLoaded;
  doc["TwoPassReport"] = report.TwoPassReport;
  // The password itself is not printed.
  doc["Info"] = {{"Comment", Utf8(report.ReportComment)}, {"Name", Utf8(report.ReportName)},
                 {"Author", Utf8(report.ReportAutor)},    {"VMajor", Utf8(report.VMajor)},
                 {"VMinor", Utf8(report.VMinor)},         {"VRelease", Utf8(report.VRelease)},
                 {"VBuild", Utf8(report.VBuild)},         {"CreationDate", report.ReportCreateDate},
                 {"LastChange", report.ReportLastChange}, {"PasswordProtected", report.PasswordProtected},
                 {"GeneratorVersion", report.GeneratorVersion}};
  Json pages = Json::array();
  Json objects = Json::array();
  for (int p = 0; p < report.Pages.Count(); ++p) {
    pages.push_back(Page(*report.Pages[p], p));
    for (const auto& v : report.Pages[p]->Objects) objects.push_back(Object(*v, p));
  }
  doc["Pages"] = pages;
  doc["Objects"] = objects;
  doc["Dictionary"] = Dictionary(report.Dictionary);
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
