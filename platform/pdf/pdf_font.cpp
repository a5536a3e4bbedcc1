#include "platform/pdf/pdf_font.h"

#include <hb-subset.h>
#include <hb.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/pdf/pdf_deflate.h"
#include "platform/pdf/pdf_file.h"
#include "platform/pdf/pdf_hash.h"

namespace vl {

TvlPdfFontSource::~TvlPdfFontSource() = default;

namespace {

constexpr hb_tag_t Tag(char a, char b, char c, char d) { return HB_TAG(a, b, c, d); }

hb_blob_t* TableFromSource(hb_face_t*, hb_tag_t tag, void* user) {
  const auto* source = static_cast<const TvlPdfFontSource*>(user);
  const std::string_view bytes = source->Table(tag);
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
  // The source keeps the bytes for as long as the face lives.
  return hb_blob_create(bytes.data(), static_cast<unsigned>(bytes.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr);
}

struct FaceFree {
  void operator()(hb_face_t* f) const { hb_face_destroy(f); }
};
struct BlobFree {
  void operator()(hb_blob_t* b) const { hb_blob_destroy(b); }
};
using Face = std::unique_ptr<hb_face_t, FaceFree>;
using Blob = std::unique_ptr<hb_blob_t, BlobFree>;

std::string BlobBytes(hb_blob_t* blob) {
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  return data ? std::string(data, length) : std::string();
}

// Big-endian fields of a table, zero beyond its end.
int S16(std::string_view t, std::size_t at) {
  if (at + 2 > t.size()) return 0;
  return static_cast<std::int16_t>((static_cast<unsigned char>(t[at]) << 8) | static_cast<unsigned char>(t[at + 1]));
}
std::uint32_t U32(std::string_view t, std::size_t at) {
  if (at + 4 > t.size()) return 0;
  std::uint32_t v = 0;
  for (int k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(t[at + k]);
  return v;
}

// A name as a PDF name object allows: letters, digits and a few marks.
std::string NameChars(const std::string& s) {
  std::string out;
  for (char c : s)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
      out += c;
  if (out.size() > 100) out.resize(100);
  return out.empty() ? std::string("Font") : out;
}

std::string PostScriptName(hb_face_t* face, const std::string& family) {
  char buf[128];
  unsigned size = sizeof buf;
  if (hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, buf) > 0)
    return NameChars(buf);
  return NameChars(family);
}

// Six capitals that tell this subset from others of the same font.
std::string SubsetTag(const TvlPdfFontUse& font) {
  std::string key;
  for (const auto& [gid, glyph] : font.Glyphs) {
    key += static_cast<char>(gid & 0xFF);
    key += static_cast<char>(gid >> 8);
  }
  key += font.Family;
  std::uint64_t h = vlPdfHash(key).A;
  std::string tag(6, 'A');
  for (char& c : tag) {
    c = static_cast<char>('A' + h % 26);
    h /= 26;
  }
  return tag;
}

void Hex4(std::string& out, unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFF);
  out += buf;
}

void Utf16Hex(std::string& out, char32_t c) {
  if (c >= 0x10000 && c <= 0x10FFFF) {
    const char32_t v = c - 0x10000;
    Hex4(out, 0xD800 + (v >> 10));
    Hex4(out, 0xDC00 + (v & 0x3FF));
  } else {
    Hex4(out, static_cast<unsigned>(c));
  }
}

std::string WidthsArray(const std::map<std::uint16_t, TvlPdfGlyph>& glyphs) {
  std::string w = "[";
  int next = -2;
  for (const auto& [gid, glyph] : glyphs) {
    if (gid != next) {
      if (next != -2) w += "]";
      vlPdfInt(w, gid);
      w += "[";
    } else {
      w += ' ';
    }
    vlPdfNumber(w, glyph.Width);
    next = gid + 1;
  }
  if (next != -2) w += "]";
  w += "]";
  return w;
}

}  // namespace

std::string vlPdfToUnicodeCMap(const std::map<std::uint16_t, TvlPdfGlyph>& glyphs) {
  std::string cmap =
      "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
      "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
  std::vector<std::pair<std::uint16_t, const std::u32string*>> mapped;
  for (const auto& [gid, glyph] : glyphs)
    if (!glyph.Text.empty() && glyph.Text.size() <= 16) mapped.emplace_back(gid, &glyph.Text);
  // At most 100 entries a block, as the CMap format wants.
  for (std::size_t i = 0; i < mapped.size(); i += 100) {
    const std::size_t n = std::min<std::size_t>(100, mapped.size() - i);
    vlPdfInt(cmap, static_cast<std::int64_t>(n));
    cmap += " beginbfchar\n";
    for (std::size_t k = i; k < i + n; ++k) {
      cmap += '<';
      Hex4(cmap, mapped[k].first);
      cmap += "><";
      for (char32_t c : *mapped[k].second) Utf16Hex(cmap, c);
      cmap += ">\n";
    }
    cmap += "endbfchar\n";
  }
  cmap += "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
  return cmap;
}

void vlPdfWriteFont(TvlPdfFile& file, int n, const TvlPdfFontUse& font, TvlPdfDeflate& deflate) {
  if (!font.Source) throw std::runtime_error("a font of the PDF has no tables");
  Face face(hb_face_create_for_tables(TableFromSource, const_cast<TvlPdfFontSource*>(font.Source.get()), nullptr));
  const std::string_view head = font.Source->Table(Tag('h', 'e', 'a', 'd'));
  const std::string_view hhea = font.Source->Table(Tag('h', 'h', 'e', 'a'));
  const std::string_view post = font.Source->Table(Tag('p', 'o', 's', 't'));
  const std::string_view os2 = font.Source->Table(Tag('O', 'S', '/', '2'));
  const bool trueType = !font.Source->Table(Tag('l', 'o', 'c', 'a')).empty();
  const bool cff = !trueType && !font.Source->Table(Tag('C', 'F', 'F', ' ')).empty();
  if (!trueType && !cff) throw std::runtime_error("the font " + font.Family + " has no outlines to embed");
  const int upemRaw = head.size() >= 20 ? ((static_cast<unsigned char>(head[18]) << 8) | static_cast<unsigned char>(head[19])) : 0;
  const double scale = 1000.0 / (upemRaw >= 16 ? upemRaw : 1000);

  // The subset: the used glyphs under their own numbers, without hinting
  // (viewers scale outlines) and without the layout tables (the pages carry
  // the shaped glyphs already).
  std::string fontFile;
  if (hb_subset_input_t* input = hb_subset_input_create_or_fail()) {
    hb_set_t* glyphs = hb_subset_input_glyph_set(input);
    hb_set_add(glyphs, 0);
    for (const auto& [gid, glyph] : font.Glyphs) hb_set_add(glyphs, gid);
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING);
    hb_set_t* drop = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t t : {Tag('G', 'S', 'U', 'B'), Tag('G', 'P', 'O', 'S'), Tag('G', 'D', 'E', 'F'), Tag('k', 'e', 'r', 'n'),
                       Tag('B', 'A', 'S', 'E'), Tag('J', 'S', 'T', 'F'), Tag('m', 'o', 'r', 'x'), Tag('D', 'S', 'I', 'G')})
      hb_set_add(drop, t);
    if (hb_face_t* subset = hb_subset_or_fail(face.get(), input)) {
      Blob blob(hb_face_reference_blob(subset));
      fontFile = BlobBytes(blob.get());
      hb_face_destroy(subset);
    }
    hb_subset_input_destroy(input);
  }
  std::string tag = SubsetTag(font) + "+";
  if (fontFile.empty()) {
    // Not subset after all: the whole font, and no subset tag in its name.
    Blob blob(hb_face_reference_blob(face.get()));
    fontFile = BlobBytes(blob.get());
    tag.clear();
  }
  if (fontFile.empty()) throw std::runtime_error("the font " + font.Family + " cannot be embedded");
  const std::string baseName = tag + PostScriptName(face.get(), font.Family);

  const int cidFont = file.Reserve(), descriptor = file.Reserve(), fontStream = file.Reserve(), toUnicode = file.Reserve();
  std::string o = "<</Type/Font/Subtype/Type0/BaseFont/" + baseName + "/Encoding/Identity-H/DescendantFonts[";
  vlPdfInt(o, cidFont);
  o += " 0 R]/ToUnicode ";
  vlPdfInt(o, toUnicode);
  o += " 0 R>>";
  file.Object(n, o);

  o = std::string("<</Type/Font/Subtype/") + (trueType ? "CIDFontType2" : "CIDFontType0") + "/BaseFont/" + baseName +
      "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor ";
  vlPdfInt(o, descriptor);
  o += " 0 R";
  if (trueType) o += "/CIDToGIDMap/Identity";
  o += "/W" + WidthsArray(font.Glyphs) + ">>";
  file.Object(cidFont, o);

  const double ascent = S16(hhea, 4) * scale, descent = S16(hhea, 6) * scale;
  const bool fixedPitch = U32(post, 12) != 0;
  const double italic = static_cast<std::int32_t>(U32(post, 4)) / 65536.0;
  const double capHeight = (os2.size() >= 90 && S16(os2, 0) >= 2) ? S16(os2, 88) * scale : ascent;
  o = "<</Type/FontDescriptor/FontName/" + baseName + "/Flags ";
  vlPdfInt(o, 4 | (fixedPitch ? 1 : 0) | (italic != 0 ? 64 : 0));
  o += "/FontBBox[";
  for (std::size_t at : {36u, 38u, 40u, 42u}) {
    vlPdfNumber(o, S16(head, at) * scale);
    o += ' ';
  }
  o.back() = ']';
  o += "/ItalicAngle ";
  vlPdfNumber(o, italic);
  o += "/Ascent ";
  vlPdfNumber(o, ascent);
  o += "/Descent ";
  vlPdfNumber(o, descent);
  o += "/CapHeight ";
  vlPdfNumber(o, capHeight);
  o += "/StemV 80";
  o += trueType ? "/FontFile2 " : "/FontFile3 ";
  vlPdfInt(o, fontStream);
  o += " 0 R>>";
  file.Object(descriptor, o);

  std::string packed;
  deflate.Append(fontFile, packed);
  std::string dict = "/Length1 ";
  vlPdfInt(dict, static_cast<std::int64_t>(fontFile.size()));
  if (!trueType) dict = "/Subtype/OpenType";
  file.Stream(fontStream, dict, packed, true);

  packed.clear();
  deflate.Append(vlPdfToUnicodeCMap(font.Glyphs), packed);
  file.Stream(toUnicode, "", packed, true);
}

}  // namespace vl
