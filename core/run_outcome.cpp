#include "core/run_outcome.h"

namespace {
// The step at which the flow stopped being finite.
const Message diverged{{"　計算が発散しました。　計算回数＝", ""},
                       {"  The calculation has diverged at step ", ""}};
} // namespace

std::string divergedText(int step, Language language) {
  return diverged(language, {std::to_string(step)});
}

std::vector<std::string> outcomeMessages(const RunOutcome& outcome, Language language) {
  std::vector<std::string> texts;
  for (const SetupProblem& problem : outcome.problems)
    texts.push_back(problemText(problem, language));
  if (outcome.divergedAtStep > 0) texts.push_back(divergedText(outcome.divergedAtStep, language));
  return texts;
}
