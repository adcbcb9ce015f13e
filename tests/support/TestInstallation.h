#pragma once

#include "InstallationBuilder.h"
#include "environment/PreFlight.h"

#include <string>

namespace testing_support {

// A fresh temporary folder, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder, with its trailing separator.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Points the registry stores at a folder's installation for the life of the object,
// and gives the program's shared settings a fresh start.
class InstallationEnvironment {
public:
    explicit InstallationEnvironment(const tools::InstallationLayout& layout);
    ~InstallationEnvironment();
    InstallationEnvironment(const InstallationEnvironment&) = delete;
    InstallationEnvironment& operator=(const InstallationEnvironment&) = delete;
};

// Clears the settings record, the installation number and the clock.
void resetProgramState();

// Builds an installation in a temporary folder and reads it as the program
// does at start-up: the installation key, the locations and the login lines.
class TestInstallation {
public:
    explicit TestInstallation(tools::InstallationSpec spec = {});
    const tools::InstallationLayout& layout() const { return m_layout; }
    std::string database(const std::string& name) const;
    tools::Release release() const { return m_release; }
    // A machine without a 7.12 server in its usual place, whose user may change the alias file.
    environment::PreFlightEnvironment preFlightEnvironment() const;

private:
    TempDir m_dir;
    tools::Release m_release;
    tools::InstallationLayout m_layout;
    InstallationEnvironment m_environment;
};

} // namespace testing_support
