#include "platform/bitmap_codec.h"

#include <array>
#include <string>

#include "platform/byte_reader.h"

namespace vl {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;

// Value of a pixel under a channel mask, scaled to 8 bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  std::uint32_t bits = mask >> shift;
  int width = 0;
  while (width < 32 - shift && ((bits >> width) & 1)) ++width;
  const std::uint32_t v = (pixel & mask) >> shift;
  const std::uint32_t maxv = width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1);
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 255 + maxv / 2) / maxv);
}

}  // namespace

bool vlDecodeDib(std::string_view header, std::string_view bits, TvlRaster& out, bool iconMask) {
  out = TvlRaster{};
  TvlByteReader r(header);
  const std::uint32_t headerSize = r.U32();
  std::int64_t width = 0, height = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kBiRgb, colorsUsed = 0;
  std::array<std::uint32_t, 4> masks{0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  std::size_t paletteEntrySize = 4;
  if (headerSize == 12) {  // the old core header
    width = r.U16();
    height = r.I16();
    r.U16();
    bitCount = r.U16();
    paletteEntrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 124) {
    width = r.I32();
    height = r.I32();
    r.U16();  // planes
    bitCount = r.U16();
    compression = r.U32();
    r.Skip(12);  // image size, resolution
    colorsUsed = r.U32();
    r.U32();  // important colours
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
      // The masks follow a plain 40-byte header, or sit inside a larger one.
      masks[0] = r.U32();
      masks[1] = r.U32();
      masks[2] = r.U32();
      masks[3] = compression == kBiAlphaBitfields || headerSize >= 56 ? r.U32() : 0;
      if (headerSize > 40 && r.Pos() > headerSize) return false;
    }
    if (r.Pos() < headerSize) r.Seek(headerSize);
  } else {
    return false;
  }
  if (!r.Ok()) return false;
  if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return false;
  if (compression != kBiRgb && bitCount != 16 && bitCount != 32) return false;
  if (compression == kBiRgb && bitCount == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (iconMask) height /= 2;
  if (width <= 0 || height <= 0 || width * height > kMaxRasterPixels) return false;

  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    std::uint64_t count = colorsUsed ? colorsUsed : (1u << bitCount);
    if (count > 256) return false;
    if (!r.Has(count * paletteEntrySize)) {
      // Some writers give fewer entries than the depth allows.
      count = r.Remaining() / paletteEntrySize;
      if (count == 0) return false;
    }
    for (std::uint64_t k = 0; k < count; ++k) {
      const std::uint32_t b = r.U8(), g = r.U8(), rr = r.U8();
      if (paletteEntrySize == 4) r.U8();
      palette.push_back(0xFF000000u | (rr << 16) | (g << 8) | b);
    }
  }

  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
  if (stride * height > bits.size()) return false;
  const std::uint64_t maskStride = ((static_cast<std::uint64_t>(width) + 31) / 32) * 4;
  const bool haveMask = iconMask && stride * height + maskStride * height <= bits.size();

  TvlRaster img;
  img.Width = static_cast<std::int32_t>(width);
  img.Height = static_cast<std::int32_t>(height);
  img.Pixels.assign(static_cast<std::size_t>(width * height), 0);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bits.data());
  bool anyAlpha = false;
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* line = data + stride * row;
    const std::int64_t y = topDown ? row : height - 1 - row;
    std::uint32_t* dst = &img.Pixels[static_cast<std::size_t>(y * width)];
    for (std::int64_t x = 0; x < width; ++x) {
      std::uint32_t px = 0;
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          const std::uint64_t bit = static_cast<std::uint64_t>(x) * bitCount;
          const std::uint32_t byte = line[bit / 8];
          const std::uint32_t index = (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
          px = index < palette.size() ? palette[index] : 0xFF000000u;
          break;
        }
        case 16:
        case 32: {
          std::uint32_t v = line[x * (bitCount / 8)] | (line[x * (bitCount / 8) + 1] << 8);
          if (bitCount == 32)
            v |= (static_cast<std::uint32_t>(line[x * 4 + 2]) << 16) | (static_cast<std::uint32_t>(line[x * 4 + 3]) << 24);
          const std::uint32_t a = masks[3] ? Channel(v, masks[3]) : 0xFF;
          if (masks[3] && a) anyAlpha = true;
          px = (a << 24) | (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
          break;
        }
        case 24:
          px = 0xFF000000u | (static_cast<std::uint32_t>(line[x * 3 + 2]) << 16) |
               (static_cast<std::uint32_t>(line[x * 3 + 1]) << 8) | line[x * 3];
          break;
      }
      dst[x] = px;
    }
  }
  // An alpha mask of all zeros means the writer left it unused.
  if (masks[3] && !anyAlpha)
    for (std::uint32_t& p : img.Pixels) p |= 0xFF000000u;
  // Icons of 32 bits carry alpha in the fourth byte; then the mask is unused.
  bool iconAlpha = false;
  if (iconMask && bitCount == 32 && compression == kBiRgb) {
    for (std::int64_t row = 0; row < height && !iconAlpha; ++row)
      for (std::int64_t x = 0; x < width && !iconAlpha; ++x) iconAlpha = data[stride * row + x * 4 + 3] != 0;
    for (std::int64_t row = 0; iconAlpha && row < height; ++row) {
      const std::int64_t y = topDown ? row : height - 1 - row;
      for (std::int64_t x = 0; x < width; ++x) {
        std::uint32_t& p = img.Pixels[static_cast<std::size_t>(y * width + x)];
        p = (p & 0x00FFFFFFu) | (static_cast<std::uint32_t>(data[stride * row + x * 4 + 3]) << 24);
      }
    }
  }
  if (haveMask && !iconAlpha) {
    const std::uint8_t* mask = data + stride * height;
    for (std::int64_t row = 0; row < height; ++row) {
      const std::int64_t y = topDown ? row : height - 1 - row;
      for (std::int64_t x = 0; x < width; ++x)
        if ((mask[maskStride * row + x / 8] >> (7 - x % 8)) & 1)
          img.Pixels[static_cast<std::size_t>(y * width + x)] = 0;
    }
  }
  out = std::move(img);
  return true;
}

bool vlDecodeBmp(std::string_view bytes, TvlRaster& out) {
  out = TvlRaster{};
  TvlByteReader r(bytes);
  if (r.U8() != 'B' || r.U8() != 'M') return false;
  r.Skip(8);
  const std::uint32_t offBits = r.U32();
  if (!r.Ok() || offBits < 14 || offBits > bytes.size()) return false;
  return vlDecodeDib(bytes.substr(14, offBits - 14), bytes.substr(offBits), out);
}

bool vlDecodeIco(std::string_view bytes, TvlRaster& out) {
  out = TvlRaster{};
  TvlByteReader r(bytes);
  if (r.U16() != 0) return false;
  const std::uint16_t type = r.U16();
  const std::uint16_t count = r.U16();
  if (!r.Ok() || (type != 1 && type != 2) || count == 0 || !r.Has(16ull * count)) return false;
  // The largest image wins; between equal sizes the deeper one.
  std::uint32_t bestOffset = 0, bestSize = 0;
  long bestScore = -1;
  for (int k = 0; k < count; ++k) {
    const std::uint32_t w = r.U8(), h = r.U8();
    r.Skip(4);
    const std::uint16_t depth = r.U16();
    const std::uint32_t size = r.U32(), offset = r.U32();
    if (offset > bytes.size() || size > bytes.size() - offset) continue;
    const long score = static_cast<long>((w ? w : 256) * (h ? h : 256)) * 64 + depth;
    if (score > bestScore) bestScore = score, bestOffset = offset, bestSize = size;
  }
  if (bestScore < 0 || bestSize < 40) return false;
  const std::string_view image = bytes.substr(bestOffset, bestSize);
  if (image.substr(0, 4) == "\x89PNG") return false;
  TvlByteReader h(image);
  const std::uint32_t headerSize = h.U32();
  if (headerSize < 40 || headerSize > image.size()) return false;
  h.Skip(10);
  const std::uint16_t bitCount = h.U16();
  const std::uint32_t compression = h.U32();
  h.Skip(12);
  std::uint32_t colors = h.U32();
  if (!h.Ok()) return false;
  if (bitCount <= 8 && colors == 0) colors = 1u << bitCount;
  if (bitCount > 8) colors = 0;
  std::uint64_t headerLen = headerSize + 4ull * colors + (compression == kBiBitfields ? 12 : 0);
  if (headerLen > image.size()) return false;
  return vlDecodeDib(image.substr(0, headerLen), image.substr(headerLen), out, true);
}

std::string vlEncodeBmp(const TvlRaster& raster) {
  if (raster.Empty()) return {};
  const std::uint32_t stride = (static_cast<std::uint32_t>(raster.Width) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(raster.Height);
  std::string out;
  auto put = [&out](std::uint32_t v, int n) {
    for (int k = 0; k < n; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
  };
  out += "BM";
  put(54 + dataSize, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(raster.Width), 4);
  put(static_cast<std::uint32_t>(raster.Height), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(dataSize, 4);
  put(3780, 4);
  put(3780, 4);
  put(0, 4);
  put(0, 4);
  for (int y = raster.Height - 1; y >= 0; --y) {
    for (int x = 0; x < raster.Width; ++x) put(raster.At(x, y) & 0xFFFFFF, 3);
    for (std::uint32_t pad = static_cast<std::uint32_t>(raster.Width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace vl
