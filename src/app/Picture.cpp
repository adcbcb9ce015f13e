#include "app/Picture.h"

#include "ui_Form1.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cmath>

// The resources of a static library are not registered until asked for.
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace app {
namespace {

QImage picture24(const QLabel& image) {
    return image.pixmap().toImage().convertToFormat(QImage::Format_RGB888);
}

} // namespace

std::uint8_t blendByte(std::uint8_t a, std::uint8_t b, int pass) {
    const double value = (double(a) * (255 - pass) + double(b) * pass) / 255.0;
    return static_cast<std::uint8_t>(std::lround(value));
}

void blendPass(const QImage& A, const QImage& B, QImage& W, int pass) {
    const int rowBytes = W.width() * 3;
    for (int y = 0; y < W.height(); ++y) {
        const uchar* a = A.constScanLine(y);
        const uchar* b = B.constScanLine(y);
        uchar* w = W.scanLine(y);
        for (int x = 0; x < rowBytes; ++x) {
            w[x] = blendByte(a[x], b[x], pass);
        }
    }
}

TForm1::TForm1(std::function<void(int)> pause, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm1>()), m_pause(std::move(pause)) {
    registerPictures();
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    m_Timer1 = new QTimer(this);
    m_Timer1->setInterval(300);
    connect(m_Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Designer offers no hidden state for a child widget.
    m_ui->Image2->hide();
    m_ui->Image1->adjustSize();
    m_ui->Image2->adjustSize();
    m_ui->Image1->move(0, 0);
    setFixedSize(m_ui->Image1->size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TForm1::FormActivate() {
    m_Timer1->start();
}

void TForm1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Activation is up to the window manager (an offscreen platform never
    // activates a window), so the first showing stands in for it.
    if (!m_shown) {
        m_shown = true;
        FormActivate();
    }
}

void TForm1::applyAlpha() {
    setWindowOpacity(m_AlphaBlend ? m_AlphaBlendValue / 255.0 : 1.0);
}

void TForm1::Timer1Timer() {
    m_Timer1->stop();
    const QImage A = picture24(*m_ui->Image1);
    QImage B = picture24(*m_ui->Image2);
    if (B.size() != A.size()) {
        B = B.scaled(A.size());
    }
    QImage W(A.size(), QImage::Format_RGB888);

    m_AlphaBlendValue = 0;
    applyAlpha();
    m_pause(500);
    for (int blink = 0; blink < 2; ++blink) {
        m_AlphaBlend = true;
        applyAlpha();
        m_pause(100);
        m_AlphaBlend = false;
        applyAlpha();
        m_pause(100);
    }
    for (int i = 1; i <= 254; ++i) {
        blendPass(A, B, W, i);
        m_ui->Image1->setPixmap(QPixmap::fromImage(W));
        m_ui->Image1->repaint();
        QCoreApplication::processEvents();
    }
    m_pause(1000);
    accept();
}

QImage TForm1::shownPicture() const {
    return picture24(*m_ui->Image1);
}

QImage TForm1::pictureA() {
    registerPictures();
    return QImage(QStringLiteral(":/pictures/emblem7.png")).convertToFormat(QImage::Format_RGB888);
}

QImage TForm1::pictureB() {
    registerPictures();
    return QImage(QStringLiteral(":/pictures/emblem8.png")).convertToFormat(QImage::Format_RGB888);
}

void ShowPicture(const std::function<void(int)>& pause) {
    TForm1 form(pause);
    form.exec();
}

} // namespace app
