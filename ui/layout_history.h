// The history of the layout: every change of the layout record or of the
// flow conditions (a dialog step, a pattern, an opened file, the flow
// conditions dialog) is one command on the main window's undo stack, holding
// the whole record before and after.  Undoing or redoing puts a record back
// and makes its grids again by the path every change takes; grid making is
// deterministic, so the grids are those the record had before, bit for bit.
#pragma once

#include "core/model.h"

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <optional>

// What the user arranged: the layout record and the flow conditions of the
// next run, what a layout file holds.
struct LayoutState {
  LayoutParameters layout;
  FlowConditions flow;

  bool operator==(const LayoutState&) const = default;
};

LayoutState layoutStateOf(const LayoutParameters& layout, const FlowConditions& flow);

// The kind of a change.  Repeated steps of one field of the layout dialog
// merge into one command, as the user sees them as one change of that
// field; the other kinds stay one command each.
enum class LayoutStep {
  single = -1, // a pattern, a file, the flow conditions, a shape choice
  bodyCount = 1,
  spacing,
  size,
  turn,
  arrangementTurn,
  columns,
  ellipseRatio,
};

// The layout files on either side of the change that opened one (an empty
// path: none, the start's layout).
struct LayoutFiles {
  QString before, after;
};

class LayoutChangeCommand : public QUndoCommand {
public:
  // Puts a state back; with it, after an undo or redo across an opening, the
  // file the layout belongs to then.
  using Apply = std::function<void(const LayoutState&, const std::optional<QString>& file)>;
  // The change has been made already: the first redo, which QUndoStack::push
  // calls, does nothing.
  LayoutChangeCommand(const LayoutState& before, const LayoutState& after, LayoutStep step,
                      Apply apply, std::optional<LayoutFiles> files = std::nullopt);

  void undo() override;
  void redo() override;
  int id() const override { return static_cast<int>(step_); }
  bool mergeWith(const QUndoCommand* other) override;

private:
  LayoutState before_, after_;
  LayoutStep step_;
  Apply apply_;
  std::optional<LayoutFiles> files_;
  bool pushed_ = false;
};
