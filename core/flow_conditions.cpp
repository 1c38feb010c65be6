#include "core/flow_conditions.h"

std::optional<BodyViscosity> bodyViscosityNamed(const std::string& name) {
  return choiceNamed<BodyViscosity>(kBodyViscosityNames, name);
}

std::optional<TimeStepping> timeSteppingNamed(const std::string& name) {
  return choiceNamed<TimeStepping>(kTimeSteppingNames, name);
}

std::optional<Dissipation> dissipationNamed(const std::string& name) {
  return choiceNamed<Dissipation>(kDissipationNames, name);
}
