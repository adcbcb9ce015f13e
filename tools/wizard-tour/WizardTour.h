#pragma once

#include <QObject>
#include <QString>

class QTimer;
class QWidget;

namespace wizard {
class TFormUpgrade1;
}

// Goes through the wizard's pages as a user would: converts a 7.12 set when
// offered, accepts the agreement, installs, answers every box with its
// default button, and saves a picture of each page and box on the way.
class WizardTour : public QObject {
public:
    // Boxes are answered from now on, also those of the start-up before the wizard.
    // With closeDuringConversion the window is also asked to close, as a window
    // manager asks it, while the run converts the 7.12 databases.
    WizardTour(QString pictureFolder, bool closeDuringConversion);

    // Goes through the wizard's pages; the exit code of the program.
    int run(wizard::TFormUpgrade1& form);

private:
    void picture(const QString& name, QWidget* widget);
    void watch();
    void waitFor(int milliseconds);
    void press();

    wizard::TFormUpgrade1* m_form = nullptr;
    QString m_pictureFolder;
    QTimer* m_watch = nullptr;
    int m_pictures = 0;
    int m_boxes = 0;
    bool m_pictureFormSeen = false;
    bool m_closeDuringConversion = false;
    bool m_closeAsked = false;
    // Turns of the watch while the inner gauge of a long step was shown: the window's
    // events ran, and it repainted, during the step.
    int m_turnsDuringSteps = 0;
};
