#pragma once
// Room for large tables that are filled once and read often (the rows and
// text of an imported cadastre): taken from the system in large pages where
// it hands them out on request, so that the first touch of many megabytes
// costs a few page faults instead of thousands.

#include <cstddef>
#include <memory>
#include <new>

#include "app/Plattform.h"

namespace davo::app {

// Frees what GrossHolen gave.
struct GrossFreigabe {
  void operator()(void* p) const noexcept { plattform::GrossFreigeben(p); }
};

// n bytes, uninitialised; std::bad_alloc when there are none.
inline std::unique_ptr<char[], GrossFreigabe> GrossePuffer(std::size_t n) {
  return std::unique_ptr<char[], GrossFreigabe>(static_cast<char*>(plattform::GrossHolen(n)));
}

// Asks the processor to fetch the memory at p into its caches, for a walk
// over large tables whose next steps are known ahead; changes nothing, and
// p need not point at anything.
inline void Vorholen([[maybe_unused]] const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#endif
}

// The allocator of a std::vector that may grow large.
template <class T>
struct GrossAllokator {
  using value_type = T;
  GrossAllokator() = default;
  template <class U>
  GrossAllokator(const GrossAllokator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(plattform::GrossHolen(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t) noexcept { plattform::GrossFreigeben(p); }
  template <class U>
  bool operator==(const GrossAllokator<U>&) const noexcept {
    return true;
  }
};

}  // namespace davo::app
