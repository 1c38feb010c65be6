#include "ui/layout_history.h"

#include <utility>

LayoutState layoutStateOf(const LayoutParameters& layout, const FlowConditions& flow) {
  return {layout, flow};
}

LayoutChangeCommand::LayoutChangeCommand(const LayoutState& before, const LayoutState& after,
                                         LayoutStep step, Apply apply,
                                         std::optional<LayoutFiles> files)
    : before_(before), after_(after), step_(step), apply_(std::move(apply)),
      files_(std::move(files)) {}

void LayoutChangeCommand::undo() {
  apply_(before_, files_ ? std::optional(files_->before) : std::nullopt);
}

void LayoutChangeCommand::redo() {
  if (!pushed_) {
    pushed_ = true;
    return;
  }
  apply_(after_, files_ ? std::optional(files_->after) : std::nullopt);
}

bool LayoutChangeCommand::mergeWith(const QUndoCommand* other) {
  // Only commands of the same field reach here (id() equal, not -1).
  after_ = static_cast<const LayoutChangeCommand*>(other)->after_;
  // Steps that came back to where they started leave nothing to undo.
  setObsolete(after_ == before_);
  return true;
}
