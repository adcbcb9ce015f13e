#include "engine/EngineState.h"

#include "platform/StepBoundary.h"
#include "platform/UserInterface.h"

namespace engine {

int KolvoStep = 0;
std::string fileSorvin;
int FirebirdVersion = 0;
int lockWaitSeconds = 30;

void inc_KolvoStep(int Value) {
    KolvoStep += Value;
    platform::ui().overallGaugeAdd(Value);
    platform::stepBoundary();
}

} // namespace engine
