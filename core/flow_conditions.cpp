#include "core/flow_conditions.h"

namespace {
template <typename Choice, std::size_t N>
std::optional<Choice> choiceNamed(const char* const (&names)[N], const std::string& name) {
  for (std::size_t k = 0; k < N; ++k)
    if (name == names[k]) return static_cast<Choice>(k);
  return std::nullopt;
}
} // namespace

std::optional<BodyViscosity> bodyViscosityNamed(const std::string& name) {
  return choiceNamed<BodyViscosity>(kBodyViscosityNames, name);
}

std::optional<TimeStepping> timeSteppingNamed(const std::string& name) {
  return choiceNamed<TimeStepping>(kTimeSteppingNames, name);
}
