// The barcode view's record after the common view data: its own version
// byte and byte count, so that a later version can append fields that this
// one skips, and a damaged count cannot read past the record.
//
//   version           1 byte (1 or 2)
//   byte count        uint32, of the fields that follow
//   symbology         1 byte, TvlBarCodeSymbology
//   value             string (16-bit length, bytes, byte 0): design form the
//                     value with its expressions, printing form as printed
//   check digit       1 byte, 0 or 1
//   show text         1 byte, 0 or 1
//   rotation          uint16: 0, 90, 180 or 270
//   fit to view       1 byte, 0 or 1
//   module width      int32, thousandths of a design pixel
// Version 2 appends (and is written only when one of them is not its
// default, so that other views keep the version 1 record byte for byte):
//   upper case        1 byte, 0 or 1 (default 0)
//   wide ratio        1 byte, tenths: 20 to 30 (default 20)
//   UTF-8 with ECI    1 byte, 0 or 1 (default 1)

#include <algorithm>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/error.h"
#include "engine/core/units.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

// Module widths beyond this (about 27 cm) are taken as damage.
constexpr std::int32_t kMaxModuleThousandths = 1'000'000;

std::uint8_t WideRatioTenths(double ratio) {
  return static_cast<std::uint8_t>(std::clamp(vlRound(ratio * 10), 20, 30));
}

}  // namespace

void TvlBarCodeView::LoadFromStream(TvlStreamReader& r) {
  TvlView::LoadFromStream(r);
  const std::uint8_t version = r.ReadByte();
  if (version == 0) throw TvlStreamError("Bad barcode record");
  const std::uint32_t count = r.ReadU32();
  if (count > r.Remaining()) throw TvlStreamError("Bad barcode record");
  // The fields are read from their own stretch of bytes.
  TvlStreamReader fields(r.Data() + r.Position(), count, r.InMemory());
  r.Skip(count);
  Symbology = fields.ReadByte();
  std::string value = fields.ReadString16();
  CheckDigit = fields.ReadByte() != 0;
  ShowText = fields.ReadByte() != 0;
  Rotation = std::max(0, vlBarCodeRotation(fields.ReadU16()));
  FitToView = fields.ReadByte() != 0;
  ModuleWidth = std::clamp(fields.ReadI32(), 0, kMaxModuleThousandths) / 1000.0;
  UpperCase = kBarCodeDefaultUpperCase;
  WideRatio = kBarCodeDefaultWideRatio;
  Utf8Eci = kBarCodeDefaultUtf8Eci;
  if (version >= 2) {
    UpperCase = fields.ReadByte() != 0;
    WideRatio = WideRatioTenths(fields.ReadByte() / 10.0) / 10.0;
    Utf8Eci = fields.ReadByte() != 0;
  }
  // Fields of later versions follow; this version does not know them.
  if (PrintingForm) PrintedCode = value;
  Code = std::move(value);
}

void TvlBarCodeView::SaveToStream(TvlStreamWriter& w) {
  TvlView::SaveToStream(w);
  TvlStreamWriter fields;
  fields.WriteByte(Symbology);
  fields.WriteString(PrintingForm ? PrintedCode : Code);
  fields.WriteByte(CheckDigit ? 1 : 0);
  fields.WriteByte(ShowText ? 1 : 0);
  fields.WriteU16(static_cast<std::uint16_t>(std::max(0, vlBarCodeRotation(Rotation))));
  fields.WriteByte(FitToView ? 1 : 0);
  fields.WriteI32(std::clamp(vlRound(ModuleWidth * 1000.0), 0, kMaxModuleThousandths));
  const bool later = UpperCase != kBarCodeDefaultUpperCase ||
                     WideRatioTenths(WideRatio) != WideRatioTenths(kBarCodeDefaultWideRatio) ||
                     Utf8Eci != kBarCodeDefaultUtf8Eci;
  if (later) {
    fields.WriteByte(UpperCase ? 1 : 0);
    fields.WriteByte(WideRatioTenths(WideRatio));
    fields.WriteByte(Utf8Eci ? 1 : 0);
  }
  w.WriteByte(later ? kBarCodeRecordVersion : kBarCodeRecordFirstVersion);
  w.WriteU32(static_cast<std::uint32_t>(fields.Bytes().size()));
  w.WriteBytes(fields.Bytes());
}

}  // namespace vl
