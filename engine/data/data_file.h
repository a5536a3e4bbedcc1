#pragma once
// Reading the file behind a text data source (CSV, vCard): the whole file at
// once, refused beyond a size limit, and its byte order mark.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl {

// The file's bytes; raises "Cannot open data file " + file + ": " and the
// reason when it cannot be read or is larger than maxSize.
std::string vlReadDataFile(const std::string& fileName, std::size_t maxSize);
// The file opened for reading piece by piece under the same checks and
// messages: the descriptor (the caller closes it), and its size in size.
int vlOpenDataFile(const std::string& fileName, std::size_t maxSize, std::uint64_t& size);
// Raises for text that starts with a UTF-16 byte order mark (sourceName
// stands for the file); removes a UTF-8 byte order mark and tells whether
// there was one.
bool vlTakeUtf8Bom(std::string& text, const std::string& sourceName);

}  // namespace vl
