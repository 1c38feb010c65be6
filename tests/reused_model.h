// Clean models for tests that need several, one after the other.  A fresh
// model (makeModel) is some 54 MB of new memory, and zero-filling it touches
// every page for the first time, which costs tens of milliseconds; putting a
// model already in use back to the same state is one pass over memory the
// process already holds, several times faster.
#pragma once

#include "core/model.h"

#include <memory>

// The model back to the state makeModel gives: ended and value-initialised
// again in place (every number zero, every list empty).  References to it
// stay valid and refer to the new state.
inline void clearModel(Model& m) {
  std::destroy_at(&m);
  std::construct_at(&m);
}

// One model kept for the whole test program, handed out cleared: for test
// suites whose tests each start from a clean model and leave it at the end.
inline Model& sharedCleanModel() {
  static const std::unique_ptr<Model> m = makeModel();
  clearModel(*m);
  return *m;
}
