#pragma once
// The numeric codes the whole system shares: object types, band types, view
// flags, frame lines and styles, text and band alignment, picture kinds,
// restrictions, property kinds and font styles. Colours, rectangles and fonts
// are the drawing surface's types (platform/graphics_types.h).

#include <cstdint>

#include "platform/graphics_types.h"

namespace vl {

// Object type codes; each view record in a stream is preceded by one.
enum TvlObjectType : std::uint8_t {
  otMemo = 0,
  otPicture = 1,
  otBand = 2,
  otSubReport = 3,
  otLine = 4,
  otAddIn = 10,
};

// Band type codes; a band view keeps its type where other views keep frame lines.
enum TvlBandType : std::uint8_t {
  btReportTitle = 0,
  btReportSummary,
  btPageHeader,
  btPageFooter,
  btMasterHeader,
  btMasterData,
  btMasterFooter,
  btDetailHeader,
  btDetailData,
  btDetailFooter,
  btSubDetailHeader,
  btSubDetailData,
  btSubDetailFooter,
  btOverlay,
  btColumnHeader,
  btColumnFooter,
  btGroupHeader,
  btGroupFooter,
  btCrossHeader,
  btCrossData,
  btCrossFooter,
  btChild,
  btNone,
};
inline constexpr int kBandTypeCount = 23;
// What each band type is and does: engine/model/band_kinds.h.

// View flag bits. The low bits mean different things per class.
inline constexpr std::uint16_t flStretched = 0x0001;
inline constexpr std::uint16_t flWordWrap = 0x0002;  // text
inline constexpr std::uint16_t flWordBreak = 0x0004;
inline constexpr std::uint16_t flAutoWidth = 0x0008;
inline constexpr std::uint16_t flTextOnly = 0x0010;
inline constexpr std::uint16_t flSuppress = 0x0020;
inline constexpr std::uint16_t flHideZeros = 0x0040;
inline constexpr std::uint16_t flUnderlines = 0x0080;
inline constexpr std::uint16_t flRTLReading = 0x0100;
inline constexpr std::uint16_t flFormNewPage = 0x0002;  // band
inline constexpr std::uint16_t flPrintIfSubsetEmpty = 0x0004;
inline constexpr std::uint16_t flBreaked = 0x0008;
inline constexpr std::uint16_t flOnFirstPage = 0x0010;
inline constexpr std::uint16_t flOnLastPage = 0x0020;
inline constexpr std::uint16_t flRepeatHeader = 0x0040;
inline constexpr std::uint16_t flPrintChildIfInvisible = 0x0080;
inline constexpr std::uint16_t flCenter = 0x0002;  // picture
inline constexpr std::uint16_t flKeepAspect = 0x0004;
inline constexpr std::uint16_t flOnePerPage = 0x2000;  // any view
inline constexpr std::uint16_t flNoUndo = 0x4000;
inline constexpr std::uint16_t flHook = 0x8000;

// Frame lines (a set of bits).
inline constexpr std::uint16_t vlftNone = 0;
inline constexpr std::uint16_t vlftRight = 1;
inline constexpr std::uint16_t vlftBottom = 2;
inline constexpr std::uint16_t vlftLeft = 4;
inline constexpr std::uint16_t vlftTop = 8;

// Frame and line styles; 0 to 4 are pen styles, 5 is drawn as two lines.
enum TvlFrameStyle : std::uint16_t { psSolid = 0, psDash, psDot, psDashDot, psDashDotDot, psDouble };

// Text alignment bits of a text view.
inline constexpr std::uint16_t vltaLeft = 0;
inline constexpr std::uint16_t vltaRight = 1;
inline constexpr std::uint16_t vltaCenter = 2;
inline constexpr std::uint16_t vltaVertical = 4;
inline constexpr std::uint16_t vltaMiddle = 8;
inline constexpr std::uint16_t vltaDown = 16;

// Band alignment of a view.
enum TvlBandAlign : std::uint8_t { baNone = 0, baLeft, baRight, baCenter, baWidth, baBottom, baTop, baRest };

// Picture kinds of a picture read from a database field.
enum TvlBlobType : std::uint8_t { btBMP = 0, btJPG, btICO, btWMF };

// Restriction bits.
inline constexpr std::uint8_t rsDontEditMemo = 0x01;
inline constexpr std::uint8_t rsDontEditScript = 0x02;
inline constexpr std::uint8_t rsDontEditContents = 0x04;
inline constexpr std::uint8_t rsDontModify = 0x08;
inline constexpr std::uint8_t rsDontSize = 0x10;
inline constexpr std::uint8_t rsDontMove = 0x20;
inline constexpr std::uint8_t rsDontDelete = 0x40;

// Property kind bits: how the inspector shows and edits a property.
inline constexpr std::uint16_t ptString = 0x0001;
inline constexpr std::uint16_t ptInteger = 0x0002;
inline constexpr std::uint16_t ptFloat = 0x0004;
inline constexpr std::uint16_t ptBoolean = 0x0008;
inline constexpr std::uint16_t ptColor = 0x0010;
inline constexpr std::uint16_t ptEnum = 0x0020;
inline constexpr std::uint16_t ptHasEditor = 0x0040;
inline constexpr std::uint16_t ptSize = 0x0080;
inline constexpr std::uint16_t ptOneObject = 0x0100;

// Font-style code of scripts and streams: italic is 1 and bold is 2.
inline constexpr std::int32_t fsItalic = 1;
inline constexpr std::int32_t fsBold = 2;
inline constexpr std::int32_t fsUnderline = 4;
inline constexpr std::int32_t fsStrikeOut = 8;

}  // namespace vl
