#pragma once
// Small pictures made by code for the decoder tests and fuzz seeds: an
// enhanced metafile writer, a legacy metafile writer and a 2 x 2 icon.

#include <cstdint>
#include <string>
#include <vector>

namespace vl::fixtures {

inline void Put(std::string& s, std::uint32_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) s.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

class EmfWriter {
 public:
  // frame: the picture in 0.01 mm; device: reference pixels and millimetres.
  EmfWriter(std::int32_t frameW, std::int32_t frameH, std::int32_t devW = 1000, std::int32_t devH = 1000,
            std::int32_t mmW = 254, std::int32_t mmH = 254) {
    Put(bytes_, 1, 4);
    Put(bytes_, 88, 4);
    for (int k = 0; k < 4; ++k) Put(bytes_, 0, 4);  // bounds
    Put(bytes_, 0, 4);
    Put(bytes_, 0, 4);
    Put(bytes_, static_cast<std::uint32_t>(frameW), 4);
    Put(bytes_, static_cast<std::uint32_t>(frameH), 4);
    Put(bytes_, 0x464D4520, 4);
    Put(bytes_, 0x10000, 4);
    Put(bytes_, 0, 4);  // total bytes, set by Finish
    Put(bytes_, 0, 4);  // records, set by Finish
    Put(bytes_, 8, 2);
    Put(bytes_, 0, 2);
    Put(bytes_, 0, 4);
    Put(bytes_, 0, 4);
    Put(bytes_, 0, 4);
    Put(bytes_, static_cast<std::uint32_t>(devW), 4);
    Put(bytes_, static_cast<std::uint32_t>(devH), 4);
    Put(bytes_, static_cast<std::uint32_t>(mmW), 4);
    Put(bytes_, static_cast<std::uint32_t>(mmH), 4);
    records_ = 1;
  }
  void Record(std::uint32_t type, const std::vector<std::uint32_t>& words) {
    Put(bytes_, type, 4);
    Put(bytes_, static_cast<std::uint32_t>(8 + 4 * words.size()), 4);
    for (std::uint32_t w : words) Put(bytes_, w, 4);
    ++records_;
  }
  void Pen(std::uint32_t index, std::uint32_t style, std::int32_t width, std::uint32_t color) {
    Record(38, {index, style, static_cast<std::uint32_t>(width), 0, color});
  }
  void Brush(std::uint32_t index, std::uint32_t style, std::uint32_t color) { Record(39, {index, style, color, 0}); }
  void Select(std::uint32_t index) { Record(37, {index}); }
  void Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    Record(43, {U(l), U(t), U(r), U(b)});
  }
  void Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    Record(42, {U(l), U(t), U(r), U(b)});
  }
  void MoveTo(std::int32_t x, std::int32_t y) { Record(27, {U(x), U(y)}); }
  void LineTo(std::int32_t x, std::int32_t y) { Record(54, {U(x), U(y)}); }
  void Polygon16(const std::vector<std::int16_t>& xy) {
    std::vector<std::uint32_t> w = {0, 0, 0, 0, static_cast<std::uint32_t>(xy.size() / 2)};
    for (std::size_t k = 0; k + 1 < xy.size(); k += 2)
      w.push_back(static_cast<std::uint16_t>(xy[k]) | (static_cast<std::uint32_t>(static_cast<std::uint16_t>(xy[k + 1])) << 16));
    Record(86, w);
  }
  // A font with an ASCII face name.
  void Font(std::uint32_t index, std::int32_t height, std::int32_t escapement, const std::string& face) {
    std::vector<std::uint32_t> w = {index, U(height), 0, U(escapement), U(escapement), 400, 0, 0};
    std::string name(64, '\0');
    for (std::size_t k = 0; k < face.size() && k < 31; ++k) name[2 * k] = face[k];
    for (std::size_t k = 0; k < 64; k += 4)
      w.push_back(static_cast<std::uint8_t>(name[k]) | (static_cast<std::uint8_t>(name[k + 2]) << 16));
    Record(82, w);
  }
  // ASCII text at (x, y), top-left aligned.
  void Text(std::int32_t x, std::int32_t y, const std::string& text) {
    const std::uint32_t offString = 8 + 16 + 12 + 8 + 12 + 16 + 4;
    std::vector<std::uint32_t> w = {0, 0, 0, 0, 1, 0, 0, U(x), U(y), static_cast<std::uint32_t>(text.size()),
                                    offString, 0, 0, 0, 0, 0, 0};
    std::string utf16;
    for (char ch : text) utf16 += ch, utf16 += '\0';
    while (utf16.size() % 4) utf16 += '\0';
    for (std::size_t k = 0; k < utf16.size(); k += 4)
      w.push_back(static_cast<std::uint8_t>(utf16[k]) | (static_cast<std::uint8_t>(utf16[k + 1]) << 8) |
                  (static_cast<std::uint8_t>(utf16[k + 2]) << 16) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(utf16[k + 3])) << 24));
    Record(84, w);
  }
  // A 24-bit bitmap (rows bottom-up, each padded) stretched into a rectangle.
  void StretchDib(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t bw, std::int32_t bh,
                  const std::string& bits) {
    const std::uint32_t offBmi = 80, cbBmi = 40, offBits = 120;
    std::vector<std::uint32_t> words = {0, 0, 0, 0, U(x), U(y), 0, 0, U(bw), U(bh), offBmi, cbBmi, offBits,
                                        static_cast<std::uint32_t>(bits.size()), 0, 0x00CC0020, U(w), U(h)};
    std::vector<std::uint32_t> bmi = {40, U(bw), U(bh), 1 | (24u << 16), 0, static_cast<std::uint32_t>(bits.size()), 0, 0, 0, 0};
    words.insert(words.end(), bmi.begin(), bmi.end());
    std::string b = bits;
    while (b.size() % 4) b += '\0';
    for (std::size_t k = 0; k < b.size(); k += 4)
      words.push_back(static_cast<std::uint8_t>(b[k]) | (static_cast<std::uint8_t>(b[k + 1]) << 8) |
                      (static_cast<std::uint8_t>(b[k + 2]) << 16) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[k + 3])) << 24));
    Record(81, words);
  }
  std::string Finish() {
    Record(14, {0, 16, 20});
    std::string out = bytes_;
    auto set = [&out](std::size_t at, std::uint32_t v) {
      for (int k = 0; k < 4; ++k) out[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    set(48, static_cast<std::uint32_t>(out.size()));
    set(52, records_);
    return out;
  }

 private:
  static std::uint32_t U(std::int32_t v) { return static_cast<std::uint32_t>(v); }
  std::string bytes_;
  std::uint32_t records_ = 0;
};

// A placeable legacy metafile: bbox in logical units at the given units per inch.
class WmfWriter {
 public:
  WmfWriter(std::int16_t w, std::int16_t h, std::uint16_t inch = 96) {
    Put(bytes_, 0x9AC6CDD7, 4);
    Put(bytes_, 0, 2);
    Put(bytes_, 0, 2), Put(bytes_, 0, 2), Put(bytes_, static_cast<std::uint16_t>(w), 2),
        Put(bytes_, static_cast<std::uint16_t>(h), 2);
    Put(bytes_, inch, 2);
    Put(bytes_, 0, 4);
    Put(bytes_, 0, 2);
    Put(bytes_, 1, 2);
    Put(bytes_, 9, 2);
    Put(bytes_, 0x300, 2);
    Put(bytes_, 0, 4);
    Put(bytes_, 4, 2);
    Put(bytes_, 0, 4);
    Put(bytes_, 0, 2);
  }
  void Record(std::uint16_t fn, const std::vector<std::uint16_t>& params) {
    Put(bytes_, static_cast<std::uint32_t>(3 + params.size()), 4);
    Put(bytes_, fn, 2);
    for (std::uint16_t p : params) Put(bytes_, p, 2);
  }
  std::string Finish() {
    Record(0, {});
    return bytes_;
  }

 private:
  std::string bytes_;
};

// An icon file with one 2 x 2 image of 24 bits: red, green / blue, white,
// with its transparency mask making the white pixel transparent.
inline std::string TwoByTwoIcon() {
  std::string s;
  Put(s, 0, 2), Put(s, 1, 2), Put(s, 1, 2);
  const std::uint32_t imageSize = 40 + 8 * 2 + 4 * 2;
  s.push_back(2), s.push_back(2), s.push_back(0), s.push_back(0);
  Put(s, 1, 2), Put(s, 24, 2), Put(s, imageSize, 4), Put(s, 22, 4);
  Put(s, 40, 4), Put(s, 2, 4), Put(s, 4, 4), Put(s, 1, 2), Put(s, 24, 2);
  for (int k = 0; k < 6; ++k) Put(s, 0, 4);
  // Rows bottom-up: blue, white; then red, green. BGR order, padded to 8.
  s += std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8);
  s += std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);
  // Mask rows bottom-up: the second pixel of the bottom row is transparent.
  s += std::string("\x40\x00\x00\x00", 4);
  s += std::string("\x00\x00\x00\x00", 4);
  return s;
}

}  // namespace vl::fixtures
