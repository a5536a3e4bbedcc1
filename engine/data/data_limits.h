#pragma once
// The limits the address-list readers hold to, so that a hostile or broken
// file is refused at once with a clear message instead of taking minutes and
// gigabytes. Real lists stay far below them.

#include <cstddef>

namespace vl::data_limits {

// One line of a CSV record (all its physical lines) or one vCard content
// line with its continuations.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;  // 1 MB
// One field's text.
inline constexpr std::size_t kMaxFieldBytes = std::size_t{64} << 10;  // 64 KB
// One column name of a CSV header, in characters (UTF-8 sequences count once).
inline constexpr std::size_t kMaxColumnNameChars = 256;
// Columns of a CSV header.
inline constexpr std::size_t kMaxColumns = 1024;
// Addresses, telephones or e-mail addresses of one vCard card.
inline constexpr std::size_t kMaxRepeats = 100;
// Rows and bytes of a SQLite table or query, which is read whole.
inline constexpr std::size_t kMaxRows = 5'000'000;
inline constexpr std::size_t kMaxResultBytes = std::size_t{256} << 20;  // 256 MB

}  // namespace vl::data_limits
