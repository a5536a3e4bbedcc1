#pragma once
// A picture view: an image held in the template, or loaded from a database
// field or a file.

#include <memory>
#include <string>

#include "engine/model/picture.h"
#include "engine/model/view.h"

namespace vl {

class TvlBlobField;

class TvlPictureView : public TvlView {
 public:
  TvlPictureView();

  TvlGraphic Picture;
  std::uint8_t BlobType = btBMP;  // what a bound database field holds

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

  // ---- Behaviour (picture_view_properties.cpp, picture_view_draw.cpp). ----
  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                      const TvlValue& p3) override;
  void DeclareProperties() override;
  void Draw(TvlCanvas& canvas) override;
  void DefinePopupMenu(std::vector<TvlPopupEntry>& menu) override;

  // Loads the picture from a bound field: a graphic of the BlobType kind
  // takes the field's bytes; a null field empties the picture.
  void GetBlob(const TvlBlobField& field) override;
  // Loads the picture from a file, the kind chosen by the file's extension
  // (.bmp, .jpg/.jpeg/.jpe/.jfif, .ico, .wmf/.emf). A missing or unreadable
  // file, or an unknown extension, raises TvlError; the picture stays as it was.
  void LoadFromFile(const std::string& path);
  // The natural size of the image in pixels (0 x 0 when empty or not decodable).
  std::int32_t PictureWidth() const;
  std::int32_t PictureHeight() const;
  // Where the image goes inside DRect during a draw (after BeginDraw).
  TvlRect TargetRect(std::int32_t pictureWidth, std::int32_t pictureHeight) const;

  // The context-menu entries chosen: "Center picture" and "Keep aspect
  // ratio" set or clear their bit on every view given that may be modified.
  static void SetPictureFlag(const std::vector<TvlView*>& selection, std::uint16_t flag, bool set);

 private:
  struct Decoded;
  // The decoded form of Picture, made again when the graphic changed.
  const Decoded& Decode() const;
  mutable std::shared_ptr<Decoded> decoded_;
};

// Popup entry tags of the picture's own entries (the flag bit they toggle).
inline constexpr std::int32_t kPopupCenterPicture = flCenter;
inline constexpr std::int32_t kPopupKeepAspect = flKeepAspect;

}  // namespace vl
