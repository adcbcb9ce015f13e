#include "app/Zastavka.h"

#include "ui_FormZastavka8.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

TFormZastavka8::TFormZastavka8(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::TFormZastavka8>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    FormCreate();
}

TFormZastavka8::~TFormZastavka8() = default;

void TFormZastavka8::FormCreate() {
    m_ui->Label3->setText(QStringLiteral("проверка системы ..."));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TFormZastavka8::setSteps(int steps) {
    m_ui->Gauge1->setMaximum(steps);
}

void TFormZastavka8::advance() {
    m_ui->Gauge1->setValue(m_ui->Gauge1->value() + 1);
}

void TFormZastavka8::setStepText(const QString& text) {
    m_ui->Label3->setText(text);
    m_ui->Label3->repaint();
}

int TFormZastavka8::progress() const {
    return m_ui->Gauge1->value();
}

int TFormZastavka8::steps() const {
    return m_ui->Gauge1->maximum();
}

QString TFormZastavka8::stepText() const {
    return m_ui->Label3->text();
}

} // namespace app
