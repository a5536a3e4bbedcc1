#pragma once
// Small templates made by code, shared by the template tests, the fuzz target's
// seeds and the benchmark: every view class with fields away from their
// defaults, a report page and a dialog page, a dictionary and report
// information.

#include <memory>
#include <string>

#include "engine/model/report.h"
#include "engine/model/views.h"

namespace vl::sample {

template <typename T>
T* AddView(TvlPage& page, const std::string& name) {
  auto v = std::make_unique<T>();
  v->Name = name;
  T* raw = v.get();
  page.Objects.push_back(std::move(v));
  return raw;
}

inline void FillCommon(TvlView& v, int seed) {
  v.Left = 10 + seed;
  v.Top = 20 + seed;
  v.Width = 300 + seed;
  v.Height = 40 + seed;
  v.Flags = static_cast<std::uint16_t>(v.Flags | flRTLReading | flNoUndo);
  v.FrameTyp = vlftLeft | vlftTop;
  v.FrameWidth = 1.5f;
  v.FrameColor = vlRGB(1, 2, 3);
  v.FrameStyle = psDashDot;
  v.FillColor = vlRGB(200, 201, 202);
  v.Format = 0x01020304;
  v.FormatText = "#,##0.00";
  v.Memo = {"Dear [Name],", "", "line three"};
  v.Script = {"begin", "  Memo1.Visible := True;", "end"};
  v.Visible = false;
  v.GapX = 5;
  v.GapY = 6;
  v.Restrictions = rsDontMove | rsDontSize;
  v.Tag = "tag [1+2]";
  v.BandAlign = baRest;
}

// A report with two pages and one view of every class (two on the dialog page).
inline void Fill(TvlReport& report) {
  report.Clear();
  report.SelectPrinterWhenLoaded = true;
  report.TwoPassReport = true;
  report.ReportComment = "comment";
  report.ReportName = "Envelope";
  report.ReportAutor = "author";
  report.VMajor = "1";
  report.VMinor = "2";
  report.VRelease = "3";
  report.VBuild = "4";
  report.ReportCreateDate = 45000.25;

  TvlPage& p = *report.Pages.Add();
  p.Name = "Front";
  p.PaperSize = 27;  // DL envelope
  p.Orientation = 1;
  p.ApplyPaper();
  p.Margins = {11, 12, 13, 14};
  p.PrintToPrevPage = true;
  p.UseMargins = false;
  p.Columns = 2;
  p.ColumnGap = 7;
  p.Script = {"PageScript;"};

  auto* memo = AddView<TvlMemoView>(p, "Address");
  FillCommon(*memo, 1);
  memo->Font = TvlFont{"Courier New", 12, fsBold | fsItalic, vlRGB(9, 8, 7), 134};
  memo->Alignment = vltaCenter | vltaMiddle;
  memo->HighlightStyle = fsUnderline;
  memo->HighlightFontColor = vlRGB(255, 0, 0);
  memo->HighlightFillColor = vlRGB(0, 255, 0);
  memo->HighlightCondition = "[Amount] > 100";
  memo->LineSpacing = 4;
  memo->CharSpacing = 1;

  auto* band = AddView<TvlBandView>(p, "MasterData1");
  FillCommon(*band, 2);
  band->FrameTyp = btMasterData;
  band->FormatText = "Customers";
  band->ChildBand = "Child1";
  band->Master = "Group1";
  band->Columns = 3;
  band->ColumnWidth = 150;
  band->ColumnGap = 12;
  band->NewColumnAfter = 5;

  auto* pic = AddView<TvlPictureView>(p, "Logo");
  FillCommon(*pic, 3);
  pic->BlobType = btJPG;
  pic->Picture.Kind = gkJpeg;
  pic->Picture.Data = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x00, 0x42, 0xFF, 0xD9};

  auto* sub = AddView<TvlSubReportView>(p, "SubReport1");
  FillCommon(*sub, 4);
  sub->TargetPage = 1;

  auto* line = AddView<TvlLineView>(p, "Rule");
  FillCommon(*line, 5);
  line->FrameWidth = 10.5f;

  TvlPage& d = *report.Pages.Add();
  d.Name = "Ask";
  d.PageType = ptDialog;
  d.Caption = "Which address?";
  d.BorderStyle = 2;
  d.Color = vlRGB(4, 5, 6);
  d.Left = 1;
  d.Top = 2;
  d.Width = 3;
  d.Height = 4;
  d.Position = 0;
  d.Script = {"OnActivate;", ""};
  AddView<TvlMemoView>(d, "Prompt")->Memo = {"Choose"};
  AddView<TvlPictureView>(d, "Empty");

  report.Dictionary.Variables.Set(" Sender", TvlValue(""));
  report.Dictionary.Variables.Set("Street", TvlValue("'Main street 1'"));
  report.Dictionary.Variables.Set("Total", TvlValue("Orders.\"Amount\""));
  report.Dictionary.FieldAliases.Set("Orders", TvlValue("Sales"));
  report.Dictionary.FieldAliases.Set("Orders.\"Secret\"", TvlValue(""));
  report.Dictionary.BandDataSources.Set("vlDataSet1", TvlValue("Customers"));
}

// count text views on one A4 page, for the benchmark.
inline void FillMemos(TvlReport& report, int count) {
  report.Clear();
  TvlPage& p = *report.Pages.Add();
  p.Name = "Page1";
  for (int k = 0; k < count; ++k) {
    auto* m = AddView<TvlMemoView>(p, "Memo" + std::to_string(k + 1));
    m->Left = k % 700;
    m->Top = k % 1000;
    m->Width = 200;
    m->Height = 18;
    m->FrameTyp = vlftBottom;
    m->Memo = {"[Customers.\"Name\"]", "Street " + std::to_string(k)};
  }
}

}  // namespace vl::sample
