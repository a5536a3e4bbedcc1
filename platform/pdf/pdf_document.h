#pragma once
// A PDF document assembled page by page. A page arrives as its content in
// self-contained parts (each saves and restores the graphics state); a part
// seen on an earlier page becomes a form object written once and referenced
// from then on, so what every page repeats (captions, frames, boxes,
// pictures) costs a few bytes per page. Pages are compressed and written on
// a second thread, in the order they arrive, while the next page is drawn.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/pdf/pdf_deflate.h"
#include "platform/pdf/pdf_file.h"
#include "platform/pdf/pdf_font.h"
#include "platform/pdf/pdf_hash.h"

namespace vl {

// A picture in PDF terms, named /I<Index> in the pages.
struct TvlPdfImage {
  int Index = 0;
  std::int32_t Width = 0, Height = 0;
  std::string Rgb;    // three bytes a pixel, rows from the top
  std::string Alpha;  // one byte a pixel; empty when opaque
  bool Interpolate = false;
};

struct TvlPdfPage {
  double WidthPt = 0, HeightPt = 0;  // the media box
  double Scale = 1;                  // points per unit of the content
  std::string Content;               // the parts back to back
  std::vector<std::uint32_t> PartEnds;
  std::vector<TvlPdfImage> Images;   // pictures the page is the first to draw
};

class TvlPdfDocument {
 public:
  // The second thread is left out when threaded is false (tests, one core).
  explicit TvlPdfDocument(TvlPdfFile::Sink sink, bool threaded = true);
  ~TvlPdfDocument();
  TvlPdfDocument(const TvlPdfDocument&) = delete;
  TvlPdfDocument& operator=(const TvlPdfDocument&) = delete;

  // Queues the page; raises the error that stopped writing an earlier one.
  void AddPage(TvlPdfPage page);
  // Writes the fonts (in the order of their /F numbers), the shared
  // resources, the page tree and the document information, then closes the
  // file. Raises std::runtime_error when anything could not be written.
  void Finish(const std::vector<TvlPdfFontUse>& fonts, std::string_view title, std::string_view creator);

  int FormCount() const { return static_cast<int>(formObjects_.size()); }

 private:
  struct Form {
    int Index;
    std::string Bytes;
  };
  void Work();
  void WritePage(TvlPdfPage& page);
  void WriteImage(const TvlPdfImage& image);
  void EmitPart(std::string_view part);
  void Stop();

  TvlPdfFile file_;
  TvlPdfDeflate deflate_;  // the writing thread's, then Finish's
  int catalog_, pagesRoot_, resources_, info_;
  std::vector<int> pages_;
  std::vector<int> imageObjects_;  // by image index, 0 while unwritten
  std::vector<int> formObjects_;
  std::unordered_map<TvlPdfHash, Form, TvlPdfHashKey> forms_;
  std::unordered_set<TvlPdfHash, TvlPdfHashKey> seen_;
  std::size_t formBytes_ = 0;
  std::string stream_, packed_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<TvlPdfPage> queue_;
  bool stopping_ = false;
  std::exception_ptr error_;
  std::thread worker_;
};

// Text as a PDF text string: UTF-16 with its byte-order mark.
std::string vlPdfTextString(std::string_view utf8);

}  // namespace vl
