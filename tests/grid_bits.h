// Bitwise equality of two grid arrays: the same extents and the same bytes,
// so that a result said to be unchanged is unchanged to the last bit.  Two
// empty arrays (no data to point at) are the same.
#pragma once

#include <cstring>

template <typename Grid> bool sameBits(const Grid& a, const Grid& b) {
  return a.extent1() == b.extent1() && a.extent2() == b.extent2() && a.size() == b.size() &&
         (a.size() == 0 || std::memcmp(a.data(), b.data(), a.size() * sizeof *a.data()) == 0);
}
