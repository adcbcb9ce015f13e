#pragma once

#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/ReadingWrappers.h"
#include "environment/KvSetting.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh installation for each test, read as the program reads it, with a
// data module on top and the step counter at zero.
class EngineTest : public ::testing::Test {
protected:
    explicit EngineTest(tools::InstallationSpec spec = {}) : installation(std::move(spec)) {
        engine::KolvoStep = 0;
        engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
        environment::kvSetting.KVFile.FileOrdersServer = installation.database("OrdersServer");
        module = std::make_unique<engine::TDM1>();
    }
    ~EngineTest() override {
        engine::fb::setStatementTrace(nullptr);
        module.reset();
        engine::fileSorvin.clear();
    }

    // Every statement sent from now on is kept in `sent`.
    void recordStatements() {
        sent.clear();
        engine::fb::setStatementTrace([this](const std::string& text) { sent.push_back(text); });
    }
    // The first value of the first row, as text; "<none>" when there is no row.
    std::string read(const std::string& select) {
        auto& query = module->IBQueryRead;
        query.SQL = {select};
        query.Params.clear();
        query.open();
        const std::string value = query.eof() ? "<none>" : query.fieldAsString(0);
        query.close();
        module->IBTrRead.commit();
        return value;
    }
    void write(const std::string& statement) {
        auto& query = module->IBQueryWrite;
        query.SQL = {statement};
        query.Params.clear();
        query.execute();
        query.close();
        module->IBTrWrite.commit();
    }

    // Runs SQL on a database of the installation as its owner.
    void sql(const std::string& name, const std::string& script) {
        module->CloseDataBase();
        tools::runScript(installation.database(name), 12, script);
    }
    bool open(const std::string& name) { return module->OpenDataBase(installation.database(name)); }

    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation;
    std::unique_ptr<engine::TDM1> module;
    std::vector<std::string> sent;
};
