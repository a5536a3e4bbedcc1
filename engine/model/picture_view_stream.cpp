// The picture view's part of a view record: the graphic kind, BlobType and
// the graphic's bytes up to an end offset, kept exactly as stored.

#include "engine/core/error.h"
#include "engine/model/picture_view.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {

void TvlPictureView::LoadFromStream(TvlStreamReader& r) {
  TvlView::LoadFromStream(r);
  const std::uint8_t kind = r.ReadByte();
  if (RecordMajor * 10 + RecordMinor > 10) BlobType = r.ReadByte();
  const std::uint32_t end = r.ReadU32();
  if (end < r.Position() || end > r.Size()) throw TvlStreamError("Bad picture data");
  // Kinds this engine does not know make no graphic; their bytes are skipped.
  if (kind >= gkBitmap && kind <= gkJpeg) {
    Picture.Kind = static_cast<TvlGraphicKind>(kind);
    r.ReadBytes(end - r.Position(), Picture.Data);
  } else {
    Picture.Clear();
  }
  r.Seek(end);
}

void TvlPictureView::SaveToStream(TvlStreamWriter& w) {
  TvlView::SaveToStream(w);
  w.WriteByte(Picture.Empty() ? gkNone : Picture.Kind);
  w.WriteByte(BlobType);
  const std::size_t end = w.WriteOffsetPlaceholder();
  if (!Picture.Empty()) w.WriteBytes(Picture.Data.data(), Picture.Data.size());
  w.PatchOffset(end);
}

}  // namespace vl
