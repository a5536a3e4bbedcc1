#include "engine/model/stream_reader.h"

#include <bit>

#include "engine/core/engine_state.h"

namespace vl {

static_assert(std::endian::native == std::endian::little, "streams are little-endian");

void TvlStreamReader::Fail() { throw TvlStreamError("Stream read error"); }

void TvlStreamReader::Seek(std::size_t pos) {
  if (pos > size_) Fail();
  pos_ = pos;
}

double TvlStreamReader::ReadDouble() { return Read<double>(); }

std::string TvlStreamReader::ReadBytes(std::size_t n) {
  Need(n);
  std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
  pos_ += n;
  return s;
}

void TvlStreamReader::ReadBytes(std::size_t n, std::vector<std::uint8_t>& out) {
  Need(n);
  out.assign(data_ + pos_, data_ + pos_ + n);
  pos_ += n;
}

std::string TvlStreamReader::ReadString() {
  return vlState().StreamVersion >= 23 ? ReadString16() : ReadStringZ();
}

void TvlStreamReader::ReadStringList(std::vector<std::string>& lines) {
  if (vlState().StreamVersion >= 23)
    ReadStringList16(lines);
  else
    ReadStringListZ(lines);
}

std::string TvlStreamReader::ReadString16() {
  const std::size_t n = ReadU16();
  Need(n + 1);
  std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
  pos_ += n + 1;  // the closing byte 0 is dropped
  return s;
}

void TvlStreamReader::ReadStringList16(std::vector<std::string>& lines) {
  lines.clear();
  const std::uint16_t count = ReadU16();
  if (count == 0) {
    ReadByte();
    return;
  }
  // The count is a hint only; the byte after each line says whether another follows.
  for (;;) {
    const std::size_t n = ReadU16();
    Need(n + 1);
    lines.emplace_back(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    if (data_[pos_++] == 0) break;
  }
}

std::string TvlStreamReader::ReadStringZ() {
  const void* zero = std::memchr(data_ + pos_, 0, size_ - pos_);
  if (!zero) Fail();
  const std::size_t n = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - (data_ + pos_));
  std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
  pos_ += n + 1;
  return s;
}

void TvlStreamReader::ReadStringListZ(std::vector<std::string>& lines) {
  lines.clear();
  const std::string all = ReadStringZ();
  std::size_t start = 0;
  for (std::size_t k = 0; k < all.size(); ++k)
    if (all[k] == '\r') {
      lines.push_back(all.substr(start, k - start));  // an empty line counts as a line
      start = k + 1;
    }
  if (start < all.size()) lines.push_back(all.substr(start));  // a last line only when not empty
}

std::string TvlStreamReader::ReadInfoString() {
  const std::size_t n = ReadU16();
  return ReadBytes(n);
}

std::string TvlStreamReader::ReadShortString() {
  const std::size_t n = ReadByte();
  return ReadBytes(n);
}

}  // namespace vl
