#pragma once

#include "support/TestInstallation.h"

#include <memory>

namespace testing_support {

// A fresh version-8 installation whose databases have already been through the
// service packs 8.00.01 to 8.00.0N, as a run leaves them (the Sorvin database
// removed after 8.00.03). The packs run once per test process for each N, on an
// installation of their own; every test then gets fresh copies of the result.
class ChainInstallation {
public:
    explicit ChainInstallation(int throughPack);
    const TestInstallation& installation() const { return *m_installation; }
    std::string database(const std::string& name) const { return m_installation->database(name); }

private:
    std::unique_ptr<TestInstallation> m_installation;
};

// Points the engine at an installation's databases as the wizard does: the
// Sorvin path, the server Orders database, the step counter at 0.
void pointEngineAt(const TestInstallation& installation);

} // namespace testing_support
