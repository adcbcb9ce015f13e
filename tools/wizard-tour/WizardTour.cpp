#include "WizardTour.h"

#include "ui_FormUpgrade1.h"
#include "wizard/FormUpgrade1.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <iostream>

WizardTour::WizardTour(QString pictureFolder)
    : m_pictureFolder(std::move(pictureFolder)), m_boxWatch(new QTimer(this)) {
    QDir().mkpath(m_pictureFolder);
    m_boxWatch->setInterval(300);
    connect(m_boxWatch, &QTimer::timeout, this, &WizardTour::answerBoxes);
    m_boxWatch->start();
}

void WizardTour::waitFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A picture of the screen where the window stands, so that boxes above it are in it too.
void WizardTour::picture(const QString& name, QWidget* widget) {
    QPixmap shot;
    if (QScreen* screen = widget->screen(); screen && QGuiApplication::platformName() == QStringLiteral("xcb")) {
        const QRect frame = widget->frameGeometry();
        shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    if (shot.isNull()) {
        shot = widget->grab();
    }
    const QString file = QDir(m_pictureFolder).filePath(QStringLiteral("%1-%2.png").arg(++m_pictures).arg(name));
    shot.save(file);
    std::cout << "picture: " << file.toStdString() << std::endl;
}

void WizardTour::answerBoxes() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_boxWatch->stop();
        waitFor(300);
        picture(QStringLiteral("box"), m_form ? static_cast<QWidget*>(m_form) : box);
        std::cout << "box: " << box->text().toStdString() << std::endl;
        ++m_boxes;
        QAbstractButton* answer =
            box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton()) : box->buttons().value(0);
        if (answer) {
            answer->click();
        }
        m_boxWatch->start();
    } else if (modal && m_form && modal != m_form && !m_pictureFormSeen) {
        m_pictureFormSeen = true;
        m_boxWatch->stop();
        waitFor(1500);
        picture(QStringLiteral("picture"), modal);
        m_boxWatch->start();
    }
}

void WizardTour::press() {
    QTest::mouseClick(m_form->ui().Button1, Qt::LeftButton);
}

int WizardTour::run(wizard::TFormUpgrade1& form) {
    m_form = &form;
    auto& ui = form.ui();
    waitFor(1500);
    if (ui.PageControl1->currentWidget() == ui.TabSheet1) {
        picture(QStringLiteral("choice"), m_form);
        ui.RadioGroup1->findChildren<QRadioButton*>().value(1)->setChecked(true);
        waitFor(500);
        press();
        waitFor(1000);
    }
    picture(QStringLiteral("start"), m_form);
    if (!ui.Button1->isVisible()) {
        std::cout << ui.Memo1->toPlainText().toStdString() << std::endl;
        m_form->close();
        return 1;
    }
    press();
    waitFor(500);
    ui.CheckBox1->click();
    waitFor(300);
    picture(QStringLiteral("agreement"), m_form);
    press();
    waitFor(500);
    picture(QStringLiteral("installation"), m_form);
    press();
    waitFor(1000);
    picture(QStringLiteral("finished"), m_form);
    m_boxWatch->stop();
    std::cout << ui.Memo3->toPlainText().toStdString() << std::endl;
    m_form->close();
    return 0;
}
