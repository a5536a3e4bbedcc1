// The named properties and methods of a picture view, and where its picture
// comes from besides the template: a bound database field or a file.

#include <algorithm>
#include "engine/core/project_texts.h"
#include <cctype>
#include <filesystem>
#include <system_error>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/blob_field.h"
#include "engine/model/picture_view.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

// Picture files larger than this are refused rather than read into memory.
constexpr std::uintmax_t kMaxPictureFileSize = 256u << 20;

TvlGraphicKind KindOfBlobType(std::uint8_t blobType) {
  switch (blobType) {
    case btJPG: return gkJpeg;
    case btICO: return gkIcon;
    case btWMF: return gkMetafile;
    default: return gkBitmap;
  }
}

// A bitmap field may carry the 8-byte graphic-field header (count 1, type
// 0x0100, size of what follows) before the bitmap file.
std::string_view StripGraphicHeader(std::string_view bytes) {
  if (bytes.size() >= 8 && bytes.substr(0, 4) == std::string_view("\x01\x00\x00\x01", 4)) {
    const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    const std::uint32_t size = b(4) | b(5) << 8 | b(6) << 16 | b(7) << 24;
    if (size == bytes.size() - 8) return bytes.substr(8);
  }
  return bytes;
}

TvlGraphicKind KindOfExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".bmp" || ext == ".dib") return gkBitmap;
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif") return gkJpeg;
  if (ext == ".ico") return gkIcon;
  if (ext == ".wmf" || ext == ".emf") return gkMetafile;
  return gkNone;
}

}  // namespace

void TvlPictureView::GetBlob(const TvlBlobField& field) {
  if (field.IsNull()) {
    Picture.Clear();
    return;
  }
  const std::string content = field.Content();
  std::string_view bytes = content;
  const TvlGraphicKind kind = KindOfBlobType(BlobType);
  if (kind == gkBitmap) bytes = StripGraphicHeader(bytes);
  Picture.Kind = kind;
  Picture.Data.assign(bytes.begin(), bytes.end());
  // An empty field gives an empty picture rather than a graphic of no bytes.
  if (Picture.Data.empty()) Picture.Clear();
}

void TvlPictureView::LoadFromFile(const std::string& path) {
  const TvlGraphicKind kind = KindOfExtension(path);
  if (kind == gkNone) throw TvlError(vlTr("Unknown picture file extension: %1", {path}));
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > kMaxPictureFileSize) throw TvlError(vlTr("Picture file too large: %1", {path}));
  std::string bytes;
  if (!vlReadFile(path, bytes)) throw TvlError(vlTr("Cannot open file %1", {path}));
  Picture.Kind = kind;
  Picture.Data.assign(bytes.begin(), bytes.end());
  if (Picture.Data.empty()) Picture.Clear();
}

void TvlPictureView::DeclareProperties() {
  TvlView::DeclareProperties();
  AddProperty("Picture", ptHasEditor);
  AddProperty("Stretched", ptBoolean);
  AddProperty("Center", ptBoolean);
  AddProperty("KeepAspect", ptBoolean);
  AddProperty("DataField", ptString | ptHasEditor | ptOneObject);
  AddEnumProperty("BlobType", "btBMP;btJPG;btICO;btWMF",
                  std::vector<TvlValue>{TvlValue(0), TvlValue(1), TvlValue(2), TvlValue(3)});
}

void TvlPictureView::SetProperty(const std::string& name, const TvlValue& value) {
  TvlView::SetProperty(name, value);
  const std::string n = vlUpperCase(name);
  auto setFlag = [&](std::uint16_t bit) {
    if (vlValueToBool(value)) Flags |= bit;
    else Flags &= static_cast<std::uint16_t>(~bit);
  };
  if (n == "CENTER") setFlag(flCenter);
  else if (n == "KEEPASPECT") setFlag(flKeepAspect);
  else if (n == "BLOBTYPE") BlobType = static_cast<std::uint8_t>(std::clamp(vlValueToInteger(value), 0, 3));
  else if (n == "PICTURE") {
    // Values carry no objects: a picture travels as the pair (graphic kind,
    // bytes) that GetProperty gives, so one view's image copies to another.
    if (value.IsArray() && value.Items().size() == 2 && value.Items()[1].IsString()) {
      const std::int32_t kind = vlValueToInteger(value.Items()[0]);
      const std::string& bytes = value.Items()[1].Str();
      if (kind >= gkBitmap && kind <= gkJpeg && !bytes.empty()) {
        Picture.Kind = static_cast<TvlGraphicKind>(kind);
        Picture.Data.assign(bytes.begin(), bytes.end());
      } else {
        Picture.Clear();
      }
    } else if (value.IsNullOrEmpty()) {
      Picture.Clear();
    }
  }
}

TvlValue TvlPictureView::GetProperty(const std::string& name) {
  TvlValue result = TvlView::GetProperty(name);
  if (!result.IsNull()) return result;
  const std::string n = vlUpperCase(name);
  if (n == "CENTER") return TvlValue((Flags & flCenter) != 0);
  if (n == "KEEPASPECT") return TvlValue((Flags & flKeepAspect) != 0);
  if (n == "BLOBTYPE") return TvlValue(static_cast<std::int32_t>(BlobType));
  if (n == "PICTURE")
    return TvlValue::Array({TvlValue(static_cast<std::int32_t>(Picture.Kind)),
                            TvlValue(std::string(Picture.Data.begin(), Picture.Data.end()))});
  return result;
}

TvlValue TvlPictureView::CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                                    const TvlValue& p3) {
  TvlValue result = TvlView::CallMethod(name, p1, p2, p3);
  if (name == "LOADFROMFILE") {
    TvlExpressionEvaluator* evaluator = vlShared().Evaluator;
    const TvlValue file = evaluator ? evaluator->Evaluate(vlValueToText(p1)) : p1;
    const std::string path = file.IsString() ? vlValueToText(file) : std::string();
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_regular_file(path, ec)) LoadFromFile(path);
    else Picture.Clear();
  }
  return result;
}

void TvlPictureView::DefinePopupMenu(std::vector<TvlPopupEntry>& menu) {
  TvlView::DefinePopupMenu(menu);
  menu.push_back({55197, (Flags & flCenter) != 0, TvlPopupAction::Custom, kPopupCenterPicture});
  const bool stretched = (Flags & flStretched) != 0;
  menu.push_back({55198, stretched && (Flags & flKeepAspect) != 0, TvlPopupAction::Custom, kPopupKeepAspect,
                  stretched});
}

void TvlPictureView::SetPictureFlag(const std::vector<TvlView*>& selection, std::uint16_t flag, bool set) {
  for (TvlView* v : selection) {
    if (!v || (v->Restrictions & rsDontModify)) continue;
    if (set) v->Flags |= flag;
    else v->Flags &= static_cast<std::uint16_t>(~flag);
  }
}

}  // namespace vl
