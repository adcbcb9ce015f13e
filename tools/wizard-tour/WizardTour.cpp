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

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

namespace {

// What a window manager sends through the X server when the user closes a window:
// WM_DELETE_WINDOW of the protocol WM_PROTOCOLS. False off X.
bool askToCloseAsAWindowManager(QWidget& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const auto atom = [connection](const char* name) {
        const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

} // namespace

WizardTour::WizardTour(QString pictureFolder, bool closeDuringConversion)
    : m_pictureFolder(std::move(pictureFolder)), m_watch(new QTimer(this)),
      m_closeDuringConversion(closeDuringConversion) {
    QDir().mkpath(m_pictureFolder);
    m_watch->setInterval(300);
    connect(m_watch, &QTimer::timeout, this, &WizardTour::watch);
    m_watch->start();
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

void WizardTour::watch() {
    QWidget* modal = QApplication::activeModalWidget();
    if (m_form && m_form->ui().Gauge2->isVisible() && m_form->ui().Gauge2->value() > 0 && m_turnsDuringSteps++ == 0) {
        picture(QStringLiteral("step"), m_form);
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_watch->stop();
        waitFor(300);
        picture(QStringLiteral("box"), m_form ? static_cast<QWidget*>(m_form) : box);
        std::cout << "box: " << box->text().toStdString() << std::endl;
        ++m_boxes;
        QAbstractButton* answer =
            box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton()) : box->buttons().value(0);
        if (answer) {
            answer->click();
        }
        m_watch->start();
    } else if (modal && m_form && modal != m_form && !m_pictureFormSeen) {
        m_pictureFormSeen = true;
        m_watch->stop();
        waitFor(1500);
        picture(QStringLiteral("picture"), modal);
        m_watch->start();
    } else if (!modal && m_form && m_closeDuringConversion && !m_closeAsked &&
               m_form->ui().Label2->text() == QStringLiteral(" Установка Service Pack 00.00")) {
        // The run pauses before the picture; the request comes back through the X server meanwhile.
        m_closeAsked = true;
        const bool sent = askToCloseAsAWindowManager(*m_form);
        std::cout << (sent ? "close asked during the conversion" : "close not asked: no X server") << std::endl;
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
    m_watch->stop();
    std::cout << "turns of the window's events during long steps: " << m_turnsDuringSteps << std::endl;
    std::cout << ui.Memo3->toPlainText().toStdString() << std::endl;
    m_form->close();
    return 0;
}
