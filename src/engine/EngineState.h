#pragma once

#include <string>

namespace engine {

// The steps the running service pack has carried out; only the pack wrappers reset it.
extern int KolvoStep;
// The path of the Sorvin database; the wizard sets it once.
extern std::string fileSorvin;
// The server's version times ten; 0 while unread, -1 when it could not be read as a number.
extern int FirebirdVersion;

// How long a write waits for a lock that another connection holds before it fails.
extern int lockWaitSeconds;

// Counts steps and moves the overall gauge by as many.
void inc_KolvoStep(int Value);

} // namespace engine
