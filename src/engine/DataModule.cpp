#include "engine/DataModule.h"

#include "engine/EngineState.h"
#include "engine/FailureRecord.h"
#include "engine/InstallationLogin.h"
#include "engine/ServerVersion.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/ServiceManager.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "environment/RunLog.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

namespace engine {

using environment::kvSetting;

TDM1* DM1 = nullptr;

TDM1::TDM1()
    : IBTrRead(IBDatabase1, fb::Transaction::readParameters()),
      IBTrWrite(IBDatabase1, fb::Transaction::writeParameters(lockWaitSeconds)), IBQueryRead(IBTrRead),
      IBQueryWrite(IBTrWrite), IBSqlWrite(IBTrWrite) {
    DM1 = this;
    DataModuleCreate();
}

TDM1::~TDM1() {
    CloseDataBase();
    if (DM1 == this) {
        DM1 = nullptr;
    }
}

void TDM1::DataModuleCreate() {
    m_loginLines = installationLoginLines();
    if (FirebirdVersion == 0) {
        std::string versionText;
        try {
            versionText = fb::readServerVersion(m_loginLines);
        } catch (const fb::FbError&) {
            // Unreachable service manager: try again at the next creation.
            return;
        }
        FirebirdVersion = parseFirebirdVersion(versionText);
        if (FirebirdVersion > 0 && FirebirdVersion < 25) {
            platform::ui().showMessage(outdatedFirebirdMessage(FirebirdVersion));
            if (!platform::ui().askYesNo("Продолжить установку?")) {
                return;
            }
        }
    }
    removeTemporaryOrderFiles();
}

void TDM1::removeTemporaryOrderFiles() {
    const auto& file = kvSetting.KVFile;
    if (!environment::fw_DeleteFile(file.FileOrdersTMP)) {
        platform::ui().showMessage("необходимо удалить файл:\r" + file.FileOrdersTMP);
        return;
    }
    if (environment::fw_DeleteFile(file.FileOrdersTMP2)) {
        environment::fw_DeleteFile(file.FileOrdersTMP3);
    }
}

void TDM1::CloseDataBase() noexcept {
    IBQueryRead.close();
    IBQueryWrite.close();
    IBSqlWrite.close();
    IBTrRead.rollback();
    IBTrWrite.rollback();
    IBDatabase1.close();
}

bool TDM1::OpenDataBase(const std::string& name_Base) {
    m_openFailure.clear();
    if (!platform::fileExists(name_Base)) {
        m_openFailure = fb::describeKind(fb::FailureKind::FileMissing);
        return false;
    }
    CloseDataBase();
    try {
        IBDatabase1.attach(name_Base, m_loginLines);
        return true;
    } catch (const fb::FbError& error) {
        m_openFailure = fb::describeKind(error.kind()) + " (" + error.what() + ")";
        return false;
    }
}

void TDM1::reportOpenFailure(const std::string& path) noexcept {
    try {
        environment::ZapisMemo3("Не удалось открыть базу данных " + path + ": " + m_openFailure);
        recordFailure(path + ": " + m_openFailure);
        environment::fw_Write_Register(environment::kDatabaseFailureEvent, path + ": " + m_openFailure);
    } catch (const std::exception&) {
        // The event log is the record; an unwritable log is the one thing left unsaid.
    }
}

void TDM1::logFailure(const std::string& statement, const std::exception& error) noexcept {
    try {
        recordFailure(IBDatabase1.path() + ": " + statement + ": " + error.what());
        environment::fw_Write_Register(environment::kDatabaseFailureEvent,
                                       IBDatabase1.path() + ": " + statement + ": " + error.what());
    } catch (const std::exception&) {
        // The event log is the record; an unwritable log is the one thing left unsaid.
    }
}

bool TDM1::databaseAnswers() {
    return IBDatabase1.connected() && IBDatabase1.ping();
}

bool TDM1::control_FileOrdersServer() const {
    const auto& path = kvSetting.KVFile.FileOrdersServer;
    return !path.empty() && platform::fileExists(path);
}

} // namespace engine
