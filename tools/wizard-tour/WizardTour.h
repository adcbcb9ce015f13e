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
    explicit WizardTour(QString pictureFolder);

    // Goes through the wizard's pages; the exit code of the program.
    int run(wizard::TFormUpgrade1& form);

private:
    void picture(const QString& name, QWidget* widget);
    void answerBoxes();
    void waitFor(int milliseconds);
    void press();

    wizard::TFormUpgrade1* m_form = nullptr;
    QString m_pictureFolder;
    QTimer* m_boxWatch = nullptr;
    int m_pictures = 0;
    int m_boxes = 0;
    bool m_pictureFormSeen = false;
};
