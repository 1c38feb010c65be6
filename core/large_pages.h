// An allocator for the solver's work planes, tens of megabytes that every
// time step walks through in strides: blocks of a megabyte or more are
// placed on memory the kernel may back with 2 MB pages, so that the walks
// do not run out of address-translation entries.  (Only where the kernel
// offers them; the contents are the same either way.)  Smaller blocks come
// from the ordinary heap.
#pragma once

#include <cstddef>
#include <vector>

void* allocateLargePages(std::size_t bytes);
void freeLargePages(void* p) noexcept;

template <typename T> struct LargePageAllocator {
  using value_type = T;
  LargePageAllocator() = default;
  template <typename U> LargePageAllocator(const LargePageAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(allocateLargePages(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) noexcept { freeLargePages(p); }
  template <typename U> bool operator==(const LargePageAllocator<U>&) const noexcept {
    return true;
  }
};

using PlaneBuffer = std::vector<double, LargePageAllocator<double>>;
