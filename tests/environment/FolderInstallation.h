#pragma once

#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace environment_tests {

inline const std::string kInstallSection = "[SOFTWARE\\Vesk\\Калвер\\8.00]\n";
inline const std::string kTrellanSection = "[SOFTWARE\\Vesk\\trellan]\n";

// An installation made of folders and registry stores only, without databases:
// enough for everything the program reads at start-up, and quick to lay out.
// The event log's folder is not made; code 0 or createInfoFolder() makes it.
class FolderInstallation {
public:
    explicit FolderInstallation(const std::string& typeInstall = "h", int numberFirm = 12) {
        layout.root = dir.path();
        layout.machineConfig = layout.root + "xdg-machine/";
        layout.userConfig = layout.root + "xdg-user/";
        layout.programDir = layout.root + "Program/";
        layout.dataRoot = layout.root + "Data/";
        layout.kalver800 = layout.dataRoot + "Kalver800/";
        layout.infoDir = layout.dataRoot + "Версия/800/Info/";
        for (const auto& folder : {layout.programDir, layout.dataRoot, layout.kalver800}) {
            if (!platform::createDirectories(folder)) {
                throw std::runtime_error("cannot create " + folder);
            }
        }
        writeMachineStore(kInstallSection + "DirProgram=" + layout.programDir + "\nDirBase=" + layout.dataRoot +
                          "\ntypeInstall=" + typeInstall + "\nNumberFirm=" + std::to_string(numberFirm) + "\n");
        writeUserStore("");
        m_environment = std::make_unique<testing_support::InstallationEnvironment>(layout);
    }

    std::string machineStore() const { return layout.machineConfig + "Vesk/registry.ini"; }
    std::string userStore() const { return layout.userConfig + "Vesk/registry.ini"; }
    void writeMachineStore(const std::string& text) const { platform::replaceFileContents(machineStore(), text); }
    void writeUserStore(const std::string& text) const { platform::replaceFileContents(userStore(), text); }
    void createInfoFolder() const {
        if (!platform::createDirectories(layout.infoDir)) {
            throw std::runtime_error("cannot create " + layout.infoDir);
        }
    }

    testing_support::TempDir dir;
    tools::InstallationLayout layout;

private:
    std::unique_ptr<testing_support::InstallationEnvironment> m_environment;
};

inline std::string contentsOf(const std::string& file) {
    std::string text;
    return platform::readWholeFile(file, text) ? text : std::string("<missing>");
}

} // namespace environment_tests
