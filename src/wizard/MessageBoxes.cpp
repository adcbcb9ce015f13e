#include "wizard/MessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace wizard {

void QtMessageBoxes::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::askYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

} // namespace wizard
