// The program with a guide: the real start-up and wizard, with the pages gone
// through by the guide instead of a person. Pictures go to the folder given.
// "--close-during-conversion" also asks the window to close while the run converts.
#include "WizardTour.h"

#include "app/StartUp.h"
#include "platform/UserInterface.h"
#include "wizard/FormUpgrade1.h"
#include "wizard/QtUserInterface.h"

#include <QApplication>

#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool closeDuringConversion = argc == 3 && std::string(argv[1]) == "--close-during-conversion";
    if (argc != 2 && !closeDuringConversion) {
        std::cerr << "usage: wizard-tour [--close-during-conversion] PICTURE-FOLDER" << std::endl;
        return 2;
    }
    const QString pictureFolder = QString::fromLocal8Bit(argv[argc - 1]);
    wizard::QtUserInterface userInterface;
    platform::setUserInterface(&userInterface);
    WizardTour tour(pictureFolder, closeDuringConversion);
    app::StartUp* running = nullptr;
    app::StartUpSeams seams;
    seams.messageLoop = [&running, &tour] {
        auto* form = dynamic_cast<wizard::TFormUpgrade1*>(running->wizard());
        return form ? tour.run(*form) : 1;
    };
    app::StartUp startUp(seams);
    running = &startUp;
    const int code = startUp.run();
    platform::setUserInterface(nullptr);
    return code;
}
