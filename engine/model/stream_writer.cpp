#include "engine/model/stream_writer.h"
#include "engine/core/project_texts.h"

#include <cerrno>
#include <cstring>

#include "engine/core/error.h"
#include "engine/model/atomic_file.h"
#include "platform/file_access.h"

namespace vl {

std::uint16_t TvlStreamWriter::CheckedLength(std::size_t n) {
  if (n > 0xFFFF) throw TvlStreamError("A text longer than 65535 bytes cannot be saved");
  return static_cast<std::uint16_t>(n);
}

void TvlStreamWriter::WriteString(std::string_view s) {
  WriteU16(CheckedLength(s.size()));
  buf_.append(s);
  WriteByte(0);
}

void TvlStreamWriter::WriteStringList(const std::vector<std::string>& lines) {
  // Readers ignore the count beyond zero/non-zero, so a long list is still read whole.
  WriteU16(static_cast<std::uint16_t>(lines.size() > 0xFFFF ? 0xFFFF : lines.size()));
  if (lines.empty()) {
    WriteByte(0);
    return;
  }
  for (std::size_t k = 0; k < lines.size(); ++k) {
    WriteU16(CheckedLength(lines[k].size()));
    buf_.append(lines[k]);
    WriteByte(k + 1 < lines.size() ? 13 : 0);
  }
}

void TvlStreamWriter::WriteInfoString(std::string_view s) {
  WriteU16(CheckedLength(s.size()));
  buf_.append(s);
}

void TvlStreamWriter::PatchOffset(std::size_t at, std::size_t base) {
  const std::size_t pos = base + Position();
  if (pos > 0x7FFFFFFF) throw TvlStreamError("The stream is too large to be saved");
  const std::uint32_t v = static_cast<std::uint32_t>(pos);
  std::memcpy(&buf_[at], &v, sizeof v);
}

void vlWriteFileAtomically(const std::string& path, std::string_view bytes) {
  TvlAtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

bool vlReadFile(const std::string& path, std::string& bytes) {
  // Only regular files, checked before opening: a FIFO would block, a
  // device could give bytes for ever.
  switch (vlReadRegularFile(path, bytes, bytes.max_size())) {
    case TvlReadOutcome::Read: return true;
    case TvlReadOutcome::Missing: return false;
    case TvlReadOutcome::NotRegular: throw TvlError(vlTr("Cannot read file %1: not a regular file", {path}));
    default: break;
  }
  // A file that cannot be opened counts as absent, as before.
  if (errno == EACCES || errno == ENOTDIR || errno == ELOOP || errno == ENAMETOOLONG) return false;
  throw TvlError(vlTr("Cannot read file %1: %2", {path, std::string(std::strerror(errno))}));
}

}  // namespace vl
