#pragma once
// Hand-made template streams of any version, for tests and fuzz seeds: a byte
// builder whose texts take the version's encoding, a complete older template,
// and a version-25 template with chosen records between two text views.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/model/page.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"

namespace vl::testing {

// Bytes of a stream of the given version: texts and text lists take the
// version's encoding.
class StreamBuilder {
 public:
  explicit StreamBuilder(int version) : v_(version) {}
  int Version() const { return v_; }
  StreamBuilder& U8(int b) { w_.WriteByte(static_cast<std::uint8_t>(b)); return *this; }
  StreamBuilder& U16(int b) { w_.WriteU16(static_cast<std::uint16_t>(b)); return *this; }
  StreamBuilder& I32(std::int32_t b) { w_.WriteI32(b); return *this; }
  StreamBuilder& F64(double d) { w_.WriteDouble(d); return *this; }
  StreamBuilder& Raw(const std::string& s) { w_.WriteBytes(s); return *this; }
  StreamBuilder& Str(const std::string& s) {
    if (v_ >= 23) {
      w_.WriteString(s);
    } else {
      w_.WriteBytes(s);
      w_.WriteByte(0);
    }
    return *this;
  }
  StreamBuilder& List(const std::vector<std::string>& lines) {
    if (v_ >= 23) {
      w_.WriteStringList(lines);
    } else {
      for (std::size_t k = 0; k < lines.size(); ++k) {
        w_.WriteBytes(lines[k]);
        if (k + 1 < lines.size()) w_.WriteByte(13);
      }
      w_.WriteByte(0);
    }
    return *this;
  }
  std::size_t Placeholder() { return w_.WriteOffsetPlaceholder(); }
  StreamBuilder& Patch(std::size_t at) { w_.PatchOffset(at); return *this; }
  TvlStreamWriter& Writer() { return w_; }
  std::string Bytes() const { return w_.Bytes(); }

 private:
  int v_;
  TvlStreamWriter w_;
};

// A stream of an older version, built by hand: a page, a text view, a band
// and a picture, the dictionary and the information block.
inline std::string OldTemplate(int v) {
  StreamBuilder s(v);
  if (v > 21) s.U8(v);  // version 21 streams start without the version byte
  s.U16(0).U16(0xFFFF).Str("\x01");
  // Page record.
  s.U8(255).I32(-1).I32(11).I32(1480).I32(2100).I32(1).I32(2).I32(3).I32(4).U8(0);
  if (v < 23) s.Raw(std::string(6, '\x7F'));
  if (v >= 24) s.I32(7);
  s.U16(0xFFFF).U16(0).I32(2).I32(9);
  if (v >= 24)
    s.U8(0).Str("Cover").U8(0).Str("Form").I32(0x00102030).I32(1).I32(2).I32(3).I32(4).U8(1).List({"S1"});
  auto common = [&](int minor) {
    if (v >= 23) s.Str("Addr");
    if (v >= 24) s.U8(2).U8(minor);
    s.I32(10).I32(20).I32(30).I32(40).U16(flStretched).U16(vlftTop).I32(2).I32(0x112233).U16(1).I32(0x445566);
    s.I32(0x20E).Str("0.00").List({"Hello", "", "World"});
    if (v >= 23) s.List({"X;"}).U16(0);
    if (v >= 24) s.U16(3).Str("T").I32(4).I32(5);
    if (v >= 24) s.U8(baCenter);
  };
  auto record = [&](int type) -> std::size_t {
    s.U8(type).U8(0);
    return v >= 24 ? s.Placeholder() : 0;
  };
  std::size_t end = record(otMemo);
  common(0);
  s.Str("Arial").I32(11).U16(fsBold).I32(0x0000FF).I32(vltaRight).U16(204);
  s.U16(fsItalic).I32(0xAA).I32(0xBB).Str("1");
  if (v >= 24) s.I32(3).I32(1);
  if (v >= 24) s.Patch(end);
  end = record(otBand);
  common(1);
  if (v >= 24) s.Str("C").I32(2).I32(100).I32(10).I32(3).Str("M");
  if (v >= 24) s.Patch(end);
  end = record(otPicture);
  common(0);
  s.U8(gkBitmap);
  if (v >= 24) s.U8(btICO);
  const std::size_t pictureEnd = s.Placeholder();
  s.Raw(std::string("BM\x06\x00", 4));
  s.Patch(pictureEnd);
  if (v >= 24) s.Patch(end);
  s.U8(254).U16(0xFFFE).I32(1).Writer().WriteString(" Cat");
  s.Writer().WriteString("");
  s.I32(0).I32(0);
  s.U8(252);
  for (const char* text : {"c", "n", "a", "1", "2", "3", "4"}) s.U16(1).Raw(text);
  s.U16(0).U8(88).U8(0).F64(40000).F64(40001);
  return s.Bytes();
}

// A version-25 stream: one page, text views between the records given.
inline std::string WithRecords(const std::function<void(StreamBuilder&)>& middle) {
  StreamBuilder s(25);
  s.U8(25).U16(0xFFFF).U16(0).Str("\x01");
  TvlPage page(9, 0, 0, -1, 0);
  s.U8(255);
  page.SaveToStream(s.Writer());
  auto memo = [&](const char* name) {
    TvlMemoView m;
    m.Name = name;
    s.U8(otMemo).U8(0);
    const std::size_t end = s.Placeholder();
    m.SaveToStream(s.Writer());
    s.Patch(end);
  };
  memo("Before");
  middle(s);
  memo("After");
  s.U8(252);
  for (int k = 0; k < 7; ++k) s.Writer().WriteInfoString("x");
  s.U16(0).U8(88).U8(0).F64(1).F64(2);
  return s.Bytes();
}

}  // namespace vl::testing
