#include "platform/pdf/pdf_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vl {
namespace {

constexpr std::size_t kBlock = 1 << 20;
constexpr std::uint64_t kUnwritten = ~std::uint64_t{0};
// The cross-reference table has ten digits for an offset.
constexpr std::uint64_t kMaxOffset = 9'999'999'999ULL;

}  // namespace

void vlPdfInt(std::string& out, std::int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

void vlPdfNumber(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  // Beyond what any page holds; kept finite and readable rather than exact.
  if (value > 1e9) value = 1e9;
  if (value < -1e9) value = -1e9;
  const std::int64_t milli = std::llround(value * 1000.0);
  if (milli % 1000 == 0) {
    vlPdfInt(out, milli / 1000);
    return;
  }
  std::int64_t a = milli < 0 ? -milli : milli;
  if (milli < 0) out += '-';
  vlPdfInt(out, a / 1000);
  int frac = static_cast<int>(a % 1000);
  char digits[4] = {static_cast<char>('0' + frac / 100), static_cast<char>('0' + frac / 10 % 10),
                    static_cast<char>('0' + frac % 10), 0};
  int len = 3;
  while (len > 0 && digits[len - 1] == '0') --len;
  out += '.';
  out.append(digits, static_cast<std::size_t>(len));
}

TvlPdfFile::TvlPdfFile(Sink sink) : sink_(std::move(sink)) {
  buffer_.reserve(kBlock + kBlock / 4);
  // The binary comment tells transfer programs the file is not text.
  buffer_ += "%PDF-1.6\n%\xE2\xE3\xCF\xD3\n";
}

int TvlPdfFile::Reserve() {
  offsets_.push_back(kUnwritten);
  return static_cast<int>(offsets_.size() - 1);
}

void TvlPdfFile::Begin(int n) {
  if (n <= 0 || static_cast<std::size_t>(n) >= offsets_.size() || offsets_[n] != kUnwritten)
    throw std::logic_error("PDF object " + std::to_string(n) + " written twice or never reserved");
  const std::uint64_t at = Size();
  if (at > kMaxOffset) throw std::runtime_error("the PDF file would exceed 10 GB");
  offsets_[n] = at;
  vlPdfInt(buffer_, n);
  buffer_ += " 0 obj\n";
}

void TvlPdfFile::Object(int n, std::string_view body) {
  Begin(n);
  buffer_ += body;
  buffer_ += "\nendobj\n";
  if (buffer_.size() >= kBlock) Flush();
}

void TvlPdfFile::Stream(int n, std::string_view dictEntries, std::string_view data, bool deflated) {
  Begin(n);
  buffer_ += "<<";
  buffer_ += dictEntries;
  if (deflated) buffer_ += "/Filter/FlateDecode";
  buffer_ += "/Length ";
  vlPdfInt(buffer_, static_cast<std::int64_t>(data.size()));
  buffer_ += ">>\nstream\n";
  if (data.size() >= kBlock) {
    // Large data goes straight to the sink instead of through the block.
    Flush();
    if (!sink_(data.data(), data.size())) throw std::runtime_error("cannot write the PDF file");
    written_ += data.size();
  } else {
    buffer_ += data;
  }
  buffer_ += "\nendstream\nendobj\n";
  if (buffer_.size() >= kBlock) Flush();
}

void TvlPdfFile::Flush() {
  if (buffer_.empty()) return;
  if (!sink_(buffer_.data(), buffer_.size())) throw std::runtime_error("cannot write the PDF file");
  written_ += buffer_.size();
  buffer_.clear();
}

void TvlPdfFile::Finish(int root, int info) {
  for (std::size_t n = 1; n < offsets_.size(); ++n)
    if (offsets_[n] == kUnwritten) throw std::logic_error("PDF object " + std::to_string(n) + " never written");
  const std::uint64_t xref = Size();
  buffer_ += "xref\n0 ";
  vlPdfInt(buffer_, static_cast<std::int64_t>(offsets_.size()));
  buffer_ += "\n0000000000 65535 f \n";
  char line[24];
  for (std::size_t n = 1; n < offsets_.size(); ++n) {
    // Each entry is exactly 20 bytes: ten digits, five digits, type, CR LF-like pair.
    std::snprintf(line, sizeof line, "%010llu 00000 n \n", static_cast<unsigned long long>(offsets_[n]));
    buffer_.append(line, 20);
    if (buffer_.size() >= kBlock) Flush();
  }
  buffer_ += "trailer\n<</Size ";
  vlPdfInt(buffer_, static_cast<std::int64_t>(offsets_.size()));
  buffer_ += "/Root ";
  vlPdfInt(buffer_, root);
  buffer_ += " 0 R/Info ";
  vlPdfInt(buffer_, info);
  buffer_ += " 0 R>>\nstartxref\n";
  vlPdfInt(buffer_, static_cast<std::int64_t>(xref));
  buffer_ += "\n%%EOF\n";
  Flush();
}

}  // namespace vl
