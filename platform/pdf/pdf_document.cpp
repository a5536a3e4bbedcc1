#include "platform/pdf/pdf_document.h"

#include <cstdio>
#include <stdexcept>

#include "platform/pdf/pdf_deflate.h"

namespace vl {
namespace {

// Parts shorter than a reference to a form stay where they are.
constexpr std::size_t kMinFormPart = 48;
// Bounds on what is kept to find repeated parts: beyond them parts are
// simply written in place, which is always correct. The hashes of parts
// seen once are forgotten when there are too many (a list's rows): what
// repeats on every page is learnt again within two pages.
constexpr std::size_t kMaxSeenParts = 100'000;
constexpr std::size_t kMaxFormBytes = 64u << 20;
constexpr std::size_t kMaxFormCount = 200'000;
// Pages drawn ahead of the writer: enough to keep both threads busy.
constexpr std::size_t kQueuedPages = 32;

void Ref(std::string& out, int n) {
  vlPdfInt(out, n);
  out += " 0 R";
}

}  // namespace

std::string vlPdfTextString(std::string_view utf8) {
  std::u32string chars;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    char32_t v = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    if (i + static_cast<std::size_t>(len) > utf8.size()) len = 1, v = 0xFFFD;
    for (int k = 1; k < len; ++k) v = (v << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    chars.push_back(v > 0x10FFFF ? 0xFFFD : v);
    i += static_cast<std::size_t>(len);
  }
  // A literal string of UTF-16 bytes; the three bytes with a meaning in
  // literal strings are escaped.
  std::string out = "(\xFE\xFF";
  auto unit = [&](unsigned v) {
    for (char byte : {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}) {
      if (byte == '(' || byte == ')' || byte == '\\') out += '\\';
      if (byte == '\r') {
        out += "\\r";
        continue;
      }
      out += byte;
    }
  };
  for (char32_t c : chars) {
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out + ")";
}

TvlPdfDocument::TvlPdfDocument(TvlPdfFile::Sink sink, bool threaded) : file_(std::move(sink)) {
  catalog_ = file_.Reserve();
  pagesRoot_ = file_.Reserve();
  resources_ = file_.Reserve();
  info_ = file_.Reserve();
  if (threaded) worker_ = std::thread([this] { Work(); });
}

TvlPdfDocument::~TvlPdfDocument() { Stop(); }

void TvlPdfDocument::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TvlPdfDocument::AddPage(TvlPdfPage page) {
  if (!worker_.joinable()) {
    WritePage(page);
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kQueuedPages || error_; });
  if (error_) std::rethrow_exception(error_);
  queue_.push_back(std::move(page));
  lock.unlock();
  changed_.notify_all();
}

void TvlPdfDocument::Work() {
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
    if (queue_.empty()) return;
    TvlPdfPage page = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    changed_.notify_all();
    try {
      if (!error_) WritePage(page);
    } catch (...) {
      std::lock_guard guard(mutex_);
      error_ = std::current_exception();
    }
    changed_.notify_all();
  }
}

void TvlPdfDocument::WriteImage(const TvlPdfImage& image) {
  if (image.Index < 0) return;
  const auto at = static_cast<std::size_t>(image.Index);
  if (at >= imageObjects_.size()) imageObjects_.resize(at + 1, 0);
  if (imageObjects_[at] != 0) return;
  const std::size_t pixels = static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
  if (image.Width <= 0 || image.Height <= 0 || image.Rgb.size() != pixels * 3 ||
      (!image.Alpha.empty() && image.Alpha.size() != pixels))
    throw std::logic_error("a picture of the PDF has the wrong size");
  const int n = file_.Reserve();
  imageObjects_[at] = n;
  auto dict = [&](const char* colorSpace) {
    std::string d = "/Type/XObject/Subtype/Image/Width ";
    vlPdfInt(d, image.Width);
    d += "/Height ";
    vlPdfInt(d, image.Height);
    d += "/ColorSpace/";
    d += colorSpace;
    d += "/BitsPerComponent 8";
    if (image.Interpolate) d += "/Interpolate true";
    return d;
  };
  std::string d = dict("DeviceRGB");
  if (!image.Alpha.empty()) {
    const int mask = file_.Reserve();
    packed_.clear();
    deflate_.Append(image.Alpha, packed_);
    file_.Stream(mask, dict("DeviceGray"), packed_, true);
    d += "/SMask ";
    Ref(d, mask);
  }
  packed_.clear();
  deflate_.Append(image.Rgb, packed_);
  file_.Stream(n, d, packed_, true);
}

void TvlPdfDocument::EmitPart(std::string_view part) {
  if (part.size() < kMinFormPart) {
    stream_ += part;
    return;
  }
  const TvlPdfHash h = vlPdfHash(part);
  if (auto it = forms_.find(h); it != forms_.end()) {
    if (it->second.Bytes == part) {
      stream_ += "/X";
      vlPdfInt(stream_, it->second.Index);
      stream_ += " Do\n";
      return;
    }
    stream_ += part;  // a different part under the same hash: drawn in place
    return;
  }
  if (seen_.count(h) && formObjects_.size() < kMaxFormCount && formBytes_ + part.size() <= kMaxFormBytes) {
    const int n = file_.Reserve();
    const int index = static_cast<int>(formObjects_.size());
    formObjects_.push_back(n);
    formBytes_ += part.size();
    forms_.emplace(h, Form{index, std::string(part)});
    std::string d = "/Type/XObject/Subtype/Form/BBox[-1000000 -1000000 1000000 1000000]/Resources ";
    Ref(d, resources_);
    packed_.clear();
    deflate_.Append(part, packed_);
    file_.Stream(n, d, packed_, true);
    stream_ += "/X";
    vlPdfInt(stream_, index);
    stream_ += " Do\n";
    return;
  }
  if (seen_.size() >= kMaxSeenParts) seen_.clear();
  seen_.insert(h);
  stream_ += part;
}

void TvlPdfDocument::WritePage(TvlPdfPage& page) {
  for (const TvlPdfImage& image : page.Images) WriteImage(image);
  stream_.clear();
  // Content units to points, the y axis turned to run down the page.
  stream_ += "q ";
  vlPdfNumber(stream_, page.Scale);
  stream_ += " 0 0 ";
  vlPdfNumber(stream_, -page.Scale);
  stream_ += " 0 ";
  vlPdfNumber(stream_, page.HeightPt);
  stream_ += " cm\n";
  std::size_t begin = 0;
  for (std::uint32_t end : page.PartEnds) {
    if (end < begin || end > page.Content.size()) throw std::logic_error("a PDF page part lies outside its page");
    EmitPart(std::string_view(page.Content).substr(begin, end - begin));
    begin = end;
  }
  stream_ += "Q\n";
  packed_.clear();
  deflate_.Append(stream_, packed_);
  const int contents = file_.Reserve();
  file_.Stream(contents, "", packed_, true);
  const int n = file_.Reserve();
  std::string o = "<</Type/Page/Parent ";
  Ref(o, pagesRoot_);
  o += "/MediaBox [0 0 ";
  vlPdfNumber(o, page.WidthPt);
  o += ' ';
  vlPdfNumber(o, page.HeightPt);
  o += "]/Resources ";
  Ref(o, resources_);
  o += "/Contents ";
  Ref(o, contents);
  o += ">>";
  file_.Object(n, o);
  pages_.push_back(n);
}

void TvlPdfDocument::Finish(const std::vector<TvlPdfFontUse>& fonts, std::string_view title, std::string_view creator) {
  Stop();
  if (error_) std::rethrow_exception(error_);
  std::string r = "<</ProcSet[/PDF/Text/ImageB/ImageC]";
  if (!fonts.empty()) {
    r += "/Font<<";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
      const int n = file_.Reserve();
      vlPdfWriteFont(file_, n, fonts[i], deflate_);
      r += "/F";
      vlPdfInt(r, static_cast<std::int64_t>(i));
      r += ' ';
      Ref(r, n);
    }
    r += ">>";
  }
  r += "/XObject<<";
  for (std::size_t i = 0; i < imageObjects_.size(); ++i) {
    if (imageObjects_[i] == 0) continue;
    r += "/I";
    vlPdfInt(r, static_cast<std::int64_t>(i));
    r += ' ';
    Ref(r, imageObjects_[i]);
  }
  for (std::size_t i = 0; i < formObjects_.size(); ++i) {
    r += "/X";
    vlPdfInt(r, static_cast<std::int64_t>(i));
    r += ' ';
    Ref(r, formObjects_[i]);
  }
  r += ">>>>";
  file_.Object(resources_, r);

  std::string kids = "<</Type/Pages/Count ";
  vlPdfInt(kids, static_cast<std::int64_t>(pages_.size()));
  kids += "/Kids[";
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (i) kids += (i % 10 == 0) ? '\n' : ' ';
    Ref(kids, pages_[i]);
  }
  kids += "]>>";
  file_.Object(pagesRoot_, kids);
  std::string catalog = "<</Type/Catalog/Pages ";
  Ref(catalog, pagesRoot_);
  catalog += ">>";
  file_.Object(catalog_, catalog);
  std::string info = "<</Title " + vlPdfTextString(title) + "/Creator " + vlPdfTextString(creator) +
                     "/Producer " + vlPdfTextString(creator) + ">>";
  file_.Object(info_, info);
  file_.Finish(catalog_, info_);
}

}  // namespace vl
