#pragma once

#include <cstddef>
#include <ostream>
#include <span>

namespace run {

// The larger sibling inflates to about 23 MB; anything far beyond that is not
// one of ours and must not fill the disk.
inline constexpr std::size_t kMaxInflatedSize = std::size_t{64} << 20;

// Inflates one zlib stream into `out` in chunks of 1024 bytes, writing each as it
// comes. A stream that is damaged, ends early or grows beyond the limit, and a
// failed write, are thrown as std::runtime_error.
void inflatePayload(std::span<const unsigned char> compressed, std::ostream& out, std::size_t limit = kMaxInflatedSize);

} // namespace run
