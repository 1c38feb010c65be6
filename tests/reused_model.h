// Clean models for tests that need several, one after the other.  A fresh
// model (makeModel) is some 54 MB of new memory, and zero-filling it touches
// every page for the first time, which costs tens of milliseconds; putting a
// model already in use back to the same all-zero state is one pass over
// memory the process already holds, several times faster.
#pragma once

#include "core/model.h"

#include <cstring>
#include <memory>
#include <type_traits>

// Every member back to zero, the state makeModel gives: the model is plain
// data (arrays of numbers and flags), so all-zero bytes are that state.
inline void clearModel(Model& m) {
  static_assert(std::is_trivially_copyable_v<Model>);
  std::memset(static_cast<void*>(&m), 0, sizeof m);
}

// One model kept for the whole test program, handed out cleared: for test
// suites whose tests each start from a clean model and leave it at the end.
inline Model& sharedCleanModel() {
  static const std::unique_ptr<Model> m = makeModel();
  clearModel(*m);
  return *m;
}
