#include "environment/DataBaseFiles.h"
#include "environment/EventLog.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"

#include <exception>
#include <iostream>

// Until the window exists the program runs the environment check and stops.
int main() {
    environment::ProgramTitle = "zuruzod 8e";
    try {
        if (!environment::control_Install("h")) {
            return 1;
        }
        environment::fw_Write_Register(0);
        if (!environment::read_DataBaseFiles()) {
            return 1;
        }
        std::cout << "The installation is in order; its databases are in " << environment::kvSetting.KVDir.dirKalver
                  << std::endl;
        return 0;
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
}
