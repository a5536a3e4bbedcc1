#pragma once
// The file a picture or PDF output is written to, under the same rules as
// every save: through a symbolic link to its file; never over a read-only
// file, a device, a FIFO or a folder.

#include <QString>
#include <string>

namespace vl {

// The path to hand to the writer; raises TvlError "cannot write 'path': "
// and the reason when the target must be left alone.
QString vlOutputTarget(const std::string& path);

}  // namespace vl
