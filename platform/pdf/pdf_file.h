#pragma once
// The bytes of a PDF file: numbered objects at recorded offsets, streams,
// and the cross-reference table and trailer that close the file. The bytes
// go to a sink in large blocks, so the file is written as it grows and never
// held whole.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlPdfFile {
 public:
  // sink takes the next block of bytes and says whether it was written.
  using Sink = std::function<bool(const char* data, std::size_t size)>;
  explicit TvlPdfFile(Sink sink);

  // A new object number; its object must be written before Finish.
  int Reserve();
  // Writes object n whole: "n 0 obj", body, "endobj".
  void Object(int n, std::string_view body);
  // Writes object n as a stream: the dictionary entries (without << >> and
  // /Length) and the data; compressed data adds /Filter /FlateDecode.
  void Stream(int n, std::string_view dictEntries, std::string_view data, bool deflated);
  // The cross-reference table and trailer; the file is complete after it.
  void Finish(int root, int info);
  std::uint64_t Size() const { return written_ + buffer_.size(); }

 private:
  void Begin(int n);
  void Flush();

  Sink sink_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  std::vector<std::uint64_t> offsets_{0};  // index 0: the free-list head
};

// Numbers as PDF content wants them: at most three decimals, no exponent,
// no trailing zeros (the page coordinates are device pixels at 600 dpi).
void vlPdfNumber(std::string& out, double value);
void vlPdfInt(std::string& out, std::int64_t value);

}  // namespace vl
