#pragma once
// A picture view: an image held in the template, or loaded from a database
// field or a file.

#include "engine/model/picture.h"
#include "engine/model/view.h"

namespace vl {

class TvlPictureView : public TvlView {
 public:
  TvlPictureView();

  TvlPicture Picture;
  std::uint8_t BlobType = btBMP;  // what a bound database field holds

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;
};

}  // namespace vl
