#include "app/render/output_target.h"
#include "engine/core/project_texts.h"

#include "engine/core/error.h"
#include "platform/file_access.h"

namespace vl {

QString vlOutputTarget(const std::string& path) {
  const TvlWriteTarget target = vlWriteTarget(path);
  if (!target.Refusal.empty()) throw TvlError(vlTr("cannot write '%1': %2", {path, target.Refusal}));
  return QString::fromLocal8Bit(target.Path.c_str());
}

}  // namespace vl
