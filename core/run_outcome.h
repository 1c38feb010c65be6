// How a run, or its continuation, went, as it returns it to whoever faces
// the user: the problems its set-up found, in the order found, and the step
// at which the flow stopped being sound.  The window shows outcomeMessages as
// modal messages once the run has ended; the batch prints them.
#pragma once

#include "core/messages.h"
#include "core/setup_problem.h"

#include <string>
#include <vector>

struct RunOutcome {
  std::vector<SetupProblem> problems;
  int divergedAtStep = 0; // 0 while the flow stayed sound
};

// The text of a run whose flow stopped being sound at `step`: its status
// text and its message.
std::string divergedText(int step, Language language);

// The messages of an outcome in the order they are shown: each problem's,
// then the divergence's.
std::vector<std::string> outcomeMessages(const RunOutcome& outcome, Language language);
