// Bitwise equality of two grid arrays: the same extents and the same bytes,
// so that a result said to be unchanged is unchanged to the last bit.
#pragma once

#include <cstring>

template <typename Grid> bool sameBits(const Grid& a, const Grid& b) {
  return a.extent1() == b.extent1() && a.extent2() == b.extent2() && a.size() == b.size() &&
         std::memcmp(a.data(), b.data(), a.size() * sizeof *a.data()) == 0;
}
