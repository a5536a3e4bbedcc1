#pragma once
// Reading and writing files the user names without trusting what the name
// leads to: a FIFO or device is never opened for reading (it could block or
// give bytes for ever), and a save never replaces a read-only file, a device
// or a FIFO, and writes through a symbolic link to the file it names.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl {

enum class TvlReadOutcome { Read, Missing, NotRegular, TooLarge, Failed };

// Reads at most maxSize bytes of a regular file into bytes (headOnly: stops
// there without complaint, for sniffing a file's kind). The kind is checked
// before opening and the file is opened without blocking. On Failed or
// Missing, errno holds the reason.
TvlReadOutcome vlReadRegularFile(const std::string& path, std::string& bytes, std::size_t maxSize,
                                 bool headOnly = false);

// Opens a regular file for reading under the same checks, for a caller that
// reads it piece by piece: on Read, fd is the open descriptor (the caller
// closes it) and size the file's size; otherwise fd is -1 and errno holds
// the reason of Failed or Missing.
TvlReadOutcome vlOpenRegularFile(const std::string& path, int& fd, std::uint64_t& size);

// Reads exactly length bytes at offset of an open file into out (resized
// to length); false with errno set when they cannot be read (the file is
// shorter than that, or the system fails).
bool vlReadAt(int fd, std::uint64_t offset, std::size_t length, std::string& out);

// Where a save to path must write: the file at the end of its symbolic
// links (relative links taken from the link's folder). Refusal is empty when
// that file may be written (it does not exist yet, or it is a writable
// regular file), else the reason ("the file is read-only", "not a regular
// file", ...).
struct TvlWriteTarget {
  std::string Path;
  std::string Refusal;
};
TvlWriteTarget vlWriteTarget(const std::string& path);

}  // namespace vl
