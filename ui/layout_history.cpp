#include "ui/layout_history.h"

#include <utility>

LayoutState layoutStateOf(const LayoutParameters& layout, const FlowConditions& flow) {
  return {layout, flow};
}

LayoutChangeCommand::LayoutChangeCommand(const LayoutState& before, const LayoutState& after,
                                         LayoutStep step, Apply apply)
    : before_(before), after_(after), step_(step), apply_(std::move(apply)) {}

void LayoutChangeCommand::undo() {
  apply_(before_);
}

void LayoutChangeCommand::redo() {
  if (!pushed_) {
    pushed_ = true;
    return;
  }
  apply_(after_);
}

bool LayoutChangeCommand::mergeWith(const QUndoCommand* other) {
  // Only commands of the same field reach here (id() equal, not -1).
  after_ = static_cast<const LayoutChangeCommand*>(other)->after_;
  // Steps that came back to where they started leave nothing to undo.
  setObsolete(after_ == before_);
  return true;
}
