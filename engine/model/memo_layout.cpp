// How a text view turns its printed lines into wrapped lines and how tall
// they are: word wrap, word break with hyphenation, paragraph marks, the
// turned layout and the measuring operations.

#include <algorithm>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/scratch_canvas.h"
#include "platform/canvas.h"
#include "platform/code_page.h"

namespace vl {
namespace {

constexpr char kParagraphMark = '\x01';

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDelimiter(char32_t c) { return c == U' ' || c == U',' || c == U'-' || c == U'.'; }

// Decodes UTF-8 into code points; a broken sequence counts as one character.
std::vector<char32_t> DecodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + len > s.size()) len = 1;
    char32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += len;
  }
  return out;
}

// The characters of an engine text as Unicode, whatever the code page, so
// that the Cyrillic letter sets compare alike everywhere.
std::vector<char32_t> DecodeChars(const std::string& text) {
  const std::string& cp = vlPlatformCodePage();
  if (cp == "UTF-8") return DecodeUtf8(text);
  return DecodeUtf8(vlConvertEncoding(text, cp.c_str(), "UTF-8"));
}

char32_t UpperCyrillic(char32_t c) {
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c == 0x451) return 0x401;
  if (c >= U'a' && c <= U'z') return c - 0x20;
  return c;
}

bool IsVowel(char32_t c) {
  switch (c) {
    case 0x401: case 0x410: case 0x415: case 0x418: case 0x41E:
    case 0x423: case 0x42B: case 0x42D: case 0x42E: case 0x42F:
      return true;
    default:
      return false;
  }
}
bool IsSign(char32_t c) { return c == 0x42A || c == 0x42C; }

}  // namespace

std::vector<std::size_t> vlHyphenationPoints(const std::string& word) {
  std::vector<char32_t> w = DecodeChars(word);
  std::vector<std::size_t> points;
  const std::size_t n = w.size();
  if (n < 4) return points;
  for (char32_t& c : w) c = UpperCyrillic(c);
  // 1-based positions as the rule is written: w(i) is w[i - 1].
  auto at = [&](std::size_t i) { return w[i - 1]; };
  for (std::size_t i = 2; i <= n - 2; ++i) {
    const char32_t c = at(i), c1 = at(i + 1), c2 = at(i + 2);
    const bool signRule = IsSign(c) && !IsDelimiter(c2);
    if ((IsVowel(c) && (IsVowel(c1) || IsVowel(c2))) || signRule ||
        (!IsVowel(c) && !IsVowel(c1) && !IsSign(c1) && IsVowel(c2)))
      points.push_back(i);
  }
  return points;
}

std::int32_t TvlMemoView::MeasurePixelHeight() const { return vlRound(Font.Size * 96.0 / 72.0); }

void TvlMemoView::WrapLine(const std::string& s, std::int32_t width, TvlCanvas& canvas) {
  auto add = [&](std::size_t from, std::size_t to, bool mark, const char* tail = "") {
    std::string piece = s.substr(from, to - from);
    piece += tail;
    if (mark) piece += kParagraphMark;
    WrappedLines.push_back(std::move(piece));
  };
  auto wider = [&](std::size_t from, std::size_t to, const char* tail = "") {
    std::string piece = s.substr(from, to - from);
    piece += tail;
    return canvas.TextWidth(piece) > width;
  };

  const bool hasBreaks = std::any_of(s.begin(), s.end(), IsLineBreak);
  if (!hasBreaks && (vlCharCount(s) <= 1 || !wider(0, s.size()))) {
    add(0, s.size(), true);
    return;
  }
  const bool wordBreak = (Flags & flWordBreak) != 0;
  // Where each character ends, so that the overflow point of a piece can be
  // searched for instead of measuring every growing prefix: a long line then
  // costs a few measurements per wrapped line, not one per character.
  std::vector<std::size_t> ends;
  for (std::size_t k = 0; k < s.size(); k += vlCharLength(s, k)) ends.push_back(k + vlCharLength(s, k));
  // For each character, the index of the last one before the next line break.
  std::vector<std::size_t> lastBeforeBreak(ends.size());
  for (std::size_t k = ends.size(); k-- > 0;) {
    const bool breakFollows = k + 1 == ends.size() || IsLineBreak(s[ends[k]]);
    lastBeforeBreak[k] = breakFollows ? k : lastBeforeBreak[k + 1];
  }
  std::size_t start = 0, brk = 0, a = 0;
  // The first character end at which the piece from start is too wide (by
  // the widths growing with the piece), found from the character ending at
  // `from` on and never past the line's next break; npos when none is.
  std::size_t overflowStart = std::string::npos, overflowEnd = 0;
  auto firstOverflow = [&](std::size_t from) {
    if (overflowStart == start) return overflowEnd;
    std::size_t lo = static_cast<std::size_t>(std::lower_bound(ends.begin(), ends.end(), from) - ends.begin());
    const std::size_t last = lastBeforeBreak[lo];
    overflowStart = start;
    overflowEnd = std::string::npos;
    if (!wider(start, ends[lo])) {
      // Gallop until a piece is too wide, then halve the gap.
      std::size_t step = 1, fits = lo;
      std::size_t hi = lo;
      for (;;) {
        if (fits == last) return overflowEnd;
        hi = std::min(last, fits + step);
        if (wider(start, ends[hi])) break;
        fits = hi;
        step *= 2;
      }
      while (hi - fits > 1) {
        const std::size_t mid = fits + (hi - fits) / 2;
        if (wider(start, ends[mid])) hi = mid;
        else fits = mid;
      }
      lo = hi;
    }
    overflowEnd = ends[lo];
    return overflowEnd;
  };
  while (a < s.size()) {
    const std::size_t len = vlCharLength(s, a);
    const char c = s[a];
    if (IsLineBreak(c)) {
      add(start, a, true);
      while (a < s.size() && IsLineBreak(s[a])) ++a;
      start = brk = a;
      continue;
    }
    if (c == ' ') {
      brk = a;
      a += len;
      continue;
    }
    // A piece of one character stays on its line even when it is wider than
    // the view: breaking before it would only add empty lines.
    if (a > start && a + len >= firstOverflow(a + len)) {
      bool hyphenated = false;
      std::size_t hyphenEnd = 0;
      if (wordBreak) {
        // The word begins after the last blank, or with the piece itself.
        const std::size_t wordStart = s[brk] == ' ' ? brk + 1 : brk;
        std::size_t wordEnd = wordStart;
        while (wordEnd < s.size() && !IsLineBreak(s[wordEnd]) &&
               !(s[wordEnd] == ' ' || s[wordEnd] == ',' || s[wordEnd] == '-' || s[wordEnd] == '.'))
          wordEnd += vlCharLength(s, wordEnd);
        const std::string word = s.substr(wordStart, wordEnd - wordStart);
        // Points come in order: the byte offset of each continues from the last.
        std::size_t bytes = 0, chars = 0;
        for (std::size_t p : vlHyphenationPoints(word)) {
          for (; chars < p && bytes < word.size(); ++chars) bytes += vlCharLength(word, bytes);
          if (wordStart + bytes <= start) continue;
          if (wordStart + bytes > a || wider(start, wordStart + bytes, "-")) break;
          hyphenated = true;
          hyphenEnd = wordStart + bytes;
        }
      }
      if (hyphenated) {
        add(start, hyphenEnd, false, "-");
        start = hyphenEnd;
      } else if (s[brk] == ' ') {
        // Broken at the last blank, which is dropped.
        if (brk > start) add(start, brk, false);
        start = brk + 1;
      } else {
        // No blank in the piece: it is cut before the character that
        // overflows, which begins the next piece.
        add(start, a, false);
        start = a;
      }
      brk = start;
    }
    a += len;
  }
  if (start < s.size()) add(start, s.size(), true);
}

void TvlMemoView::WrapMemo() {
  TvlCanvas& canvas = vlScratchCanvas();
  const bool turned = (Alignment & vltaVertical) != 0;
  TvlCanvasFont f;
  f.Name = Font.Name;
  f.Height = MeasurePixelHeight();
  f.Style = Font.Style;
  f.Color = Font.Color;
  f.Charset = Font.Charset;
  f.Escapement = turned ? 900 : 0;
  canvas.SetFont(f);
  canvas.SetCharSpacing(CharSpacing);
  WrappedLines.clear();

  LineHeight = vlClampTo32(std::int64_t{LineSpacing} + f.Height);
  const std::int32_t width = vlClampTo32(turned ? std::int64_t{Height} - 2 * std::int64_t{GapY}
                                                : std::int64_t{Width} - 2 * std::int64_t{GapX});
  const std::int32_t origin = vlClampTo32(turned ? std::int64_t{Left} + GapX : std::int64_t{Top} + GapY);
  const std::int32_t gap = turned ? GapX : GapY;

  const bool design = vlState().DocMode == TvlDocMode::dmDesign;
  if (!turned && design && PrintedMemo.size() == 1 && !PrintedMemo[0].empty() && PrintedMemo[0][0] == '[' &&
      canvas.TextWidth(PrintedMemo[0]) > width) {
    // The designer shows a single expression unwrapped.
    WrappedLines.push_back(PrintedMemo[0]);
  } else {
    for (const std::string& line : PrintedMemo) {
      if (Prewrapped) WrappedLines.push_back(line);
      else if (Flags & flWordWrap) WrapLine(line, width, canvas);
      else WrappedLines.push_back(line + kParagraphMark);
    }
  }
  canvas.SetCharSpacing(0);
  // Wide: many lines of a large spacing exceed 32 bits.
  TextHeight = vlClampTo32(std::int64_t{origin} + static_cast<std::int64_t>(WrappedLines.size()) * LineHeight + gap -
                           (turned ? Left : Top));
}

std::int32_t TvlMemoView::MinHeight() {
  return vlClampTo32(std::int64_t{vlRound(2 * FrameWidth)} + 2 * std::int64_t{GapY} + LineSpacing +
                     MeasurePixelHeight());
}

std::int32_t TvlMemoView::RemainHeight() {
  const std::int32_t h = LineSpacing + MeasurePixelHeight();
  const std::int32_t frame = vlRound(2 * FrameWidth);
  if (h <= 0) return 2 * GapY + frame;
  // The remainder takes the sign of the dividend, as C++'s % does.
  return 2 * GapY + frame + (Height - frame - 2 * GapY) % h;
}

std::int32_t TvlMemoView::NeededWidth(TvlCanvas& canvas) {
  std::string text;
  for (std::size_t i = 0; i < Memo.size(); ++i) {
    std::string line = Memo[i];
    line.erase(std::remove(line.begin(), line.end(), kParagraphMark), line.end());
    if (i) text += "\r\n";
    text += line;
  }
  const double scaleX = DrawScaleX > 0 ? DrawScaleX : 1.0;
  // Measured as the lines will be drawn.
  canvas.SetFont(DrawFont(canvas, false));
  canvas.SetCharSpacing(DrawCharSpacing());
  const TvlSize size = canvas.MeasureText(text);
  canvas.SetCharSpacing(0);
  return vlRound(size.Width / scaleX + FrameWidth + 2 * GapX + 1);
}

}  // namespace vl
