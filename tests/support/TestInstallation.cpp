#include "support/TestInstallation.h"

#include "environment/DataBaseFiles.h"
#include "environment/KvSetting.h"
#include "environment/RegistryInstall.h"
#include "platform/Clock.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace testing_support {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zuruzod-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void resetProgramState() {
    environment::kvSetting = {};
    environment::NumberFirm = 0;
    environment::ProgramTitle = "zuruzod 8e";
    platform::resetClock();
}

InstallationEnvironment::InstallationEnvironment(const tools::InstallationLayout& layout) {
    for (const auto& [name, value] : layout.environment()) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    resetProgramState();
}

InstallationEnvironment::~InstallationEnvironment() {
    unsetenv("XDG_CONFIG_DIRS");
    unsetenv("XDG_CONFIG_HOME");
    resetProgramState();
}

namespace {
tools::InstallationSpec placed(tools::InstallationSpec spec, const std::string& root) {
    spec.root = root;
    if (spec.templateCache.empty()) {
        spec.templateCache = (std::filesystem::temp_directory_path() / "zuruzod-test-templates").string();
    }
    return spec;
}
} // namespace

TestInstallation::TestInstallation(tools::InstallationSpec spec)
    : m_release(spec.release), m_layout(tools::buildInstallation(placed(spec, m_dir.path()))), m_environment(m_layout) {
    environment::kvSetting.DateStart.Year = platform::now().year;
    if (!environment::read_RegistryInstall("h") || !environment::read_DataBaseFiles()) {
        throw std::runtime_error("the test installation cannot be read");
    }
}

environment::PreFlightEnvironment TestInstallation::preFlightEnvironment() const {
    environment::PreFlightEnvironment machine;
    machine.fixedAliasFile712 = m_layout.root + "no-firebird-2.5/aliases.conf";
    machine.admin = [] { return true; };
    return machine;
}

std::string TestInstallation::database(const std::string& name) const {
    return tools::databasePath(m_layout, m_release, name);
}

} // namespace testing_support
