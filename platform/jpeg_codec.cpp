#include "platform/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace vl {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the caller's setjmp.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}
void OnMessage(j_common_ptr, int) {}
void OnOutput(j_common_ptr) {}

void InstallErrors(ErrorManager& err, j_common_ptr cinfo) {
  cinfo->err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.pub.output_message = OnOutput;
}

// Everything the decoder changes after setjmp lives here, outside the
// jumping frame, so no local is left indeterminate by longjmp.
struct DecodeState {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  std::vector<std::uint8_t> row;
  TvlRaster raster;
  bool headerOnly = false;
};

bool Decode(std::string_view bytes, DecodeState& s) {
  if (bytes.size() < 4 || bytes.size() > 0x7FFFFFFF) return false;
  InstallErrors(s.err, reinterpret_cast<j_common_ptr>(&s.cinfo));
  if (setjmp(s.err.jump)) {
    jpeg_destroy_decompress(&s.cinfo);
    return false;
  }
  jpeg_create_decompress(&s.cinfo);
  jpeg_mem_src(&s.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&s.cinfo);
    return false;
  }
  const std::int64_t w = s.cinfo.image_width, h = s.cinfo.image_height;
  // A stream cannot hold more than a few thousand pixels per byte; larger
  // claims come from corrupt headers and would only waste memory.
  if (w <= 0 || h <= 0 || w * h > kMaxRasterPixels ||
      w * h > static_cast<std::int64_t>(bytes.size()) * 4096) {
    jpeg_destroy_decompress(&s.cinfo);
    return false;
  }
  s.raster.Width = static_cast<std::int32_t>(w);
  s.raster.Height = static_cast<std::int32_t>(h);
  if (s.headerOnly) {
    jpeg_destroy_decompress(&s.cinfo);
    return true;
  }
  const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
  s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&s.cinfo);
  const int comps = s.cinfo.output_components;
  s.row.resize(static_cast<std::size_t>(s.cinfo.output_width) * comps);
  s.raster.Pixels.assign(static_cast<std::size_t>(w * h), 0xFF000000u);
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    const std::size_t y = s.cinfo.output_scanline;
    JSAMPROW rows[1] = {s.row.data()};
    if (jpeg_read_scanlines(&s.cinfo, rows, 1) != 1) break;
    std::uint32_t* dst = &s.raster.Pixels[y * static_cast<std::size_t>(w)];
    for (std::int64_t x = 0; x < w; ++x) {
      const std::uint8_t* p = &s.row[static_cast<std::size_t>(x * comps)];
      std::uint32_t r, g, b;
      if (cmyk) {
        // Adobe writes inverted CMYK; the usual reading multiplies by K.
        r = p[0] * p[3] / 255;
        g = p[1] * p[3] / 255;
        b = p[2] * p[3] / 255;
      } else if (comps >= 3) {
        r = p[0], g = p[1], b = p[2];
      } else {
        r = g = b = p[0];
      }
      dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(&s.cinfo);
  jpeg_destroy_decompress(&s.cinfo);
  return true;
}

struct EncodeState {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<std::uint8_t> row;
};

bool Encode(const TvlRaster& raster, int quality, EncodeState& s) {
  InstallErrors(s.err, reinterpret_cast<j_common_ptr>(&s.cinfo));
  if (setjmp(s.err.jump)) {
    jpeg_destroy_compress(&s.cinfo);
    return false;
  }
  jpeg_create_compress(&s.cinfo);
  jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
  s.cinfo.image_width = static_cast<JDIMENSION>(raster.Width);
  s.cinfo.image_height = static_cast<JDIMENSION>(raster.Height);
  s.cinfo.input_components = 3;
  s.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&s.cinfo);
  jpeg_set_quality(&s.cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&s.cinfo, TRUE);
  s.row.resize(static_cast<std::size_t>(raster.Width) * 3);
  while (s.cinfo.next_scanline < s.cinfo.image_height) {
    const int y = static_cast<int>(s.cinfo.next_scanline);
    for (int x = 0; x < raster.Width; ++x) {
      const std::uint32_t p = raster.At(x, y);
      s.row[x * 3] = (p >> 16) & 0xFF;
      s.row[x * 3 + 1] = (p >> 8) & 0xFF;
      s.row[x * 3 + 2] = p & 0xFF;
    }
    JSAMPROW rows[1] = {s.row.data()};
    jpeg_write_scanlines(&s.cinfo, rows, 1);
  }
  jpeg_finish_compress(&s.cinfo);
  jpeg_destroy_compress(&s.cinfo);
  return true;
}

}  // namespace

bool vlDecodeJpeg(std::string_view bytes, TvlRaster& out) {
  out = TvlRaster{};
  auto s = std::make_unique<DecodeState>();
  if (!Decode(bytes, *s)) return false;
  out = std::move(s->raster);
  return !out.Empty();
}

bool vlJpegSize(std::string_view bytes, std::int32_t& width, std::int32_t& height) {
  auto s = std::make_unique<DecodeState>();
  s->headerOnly = true;
  if (!Decode(bytes, *s)) return false;
  width = s->raster.Width;
  height = s->raster.Height;
  return true;
}

std::string vlEncodeJpeg(const TvlRaster& raster, int quality) {
  if (raster.Empty() || raster.Pixels.size() != static_cast<std::size_t>(raster.Width) * raster.Height)
    return {};
  auto s = std::make_unique<EncodeState>();
  const bool ok = Encode(raster, quality, *s);
  std::string out;
  if (ok && s->buffer) out.assign(reinterpret_cast<const char*>(s->buffer), s->size);
  std::free(s->buffer);
  return out;
}

}  // namespace vl
