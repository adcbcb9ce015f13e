#pragma once

#include <QDialog>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

namespace Ui {
class TForm1;
}

namespace app {

// One byte of blending pass i: A weighted 255 - i and B weighted i, rounded to the nearest.
std::uint8_t blendByte(std::uint8_t a, std::uint8_t b, int pass);
// Blending pass i over two 24-bit pictures of W's size, byte by byte into W.
void blendPass(const QImage& A, const QImage& B, QImage& W, int pass);

// The window in which the emblem of version 7 blinks and turns into the emblem
// of version 8; it closes itself when the animation is over.
class TForm1 : public QDialog {
public:
    explicit TForm1(std::function<void(int milliseconds)> pause, QWidget* parent = nullptr);
    ~TForm1() override;

    void FormCreate();
    void FormActivate();
    void Timer1Timer();

    // The picture Image1 shows now.
    QImage shownPicture() const;
    // The emblems of versions 7 and 8 as the animation blends them.
    static QImage pictureA();
    static QImage pictureB();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyAlpha();

    std::unique_ptr<Ui::TForm1> m_ui;
    QTimer* m_Timer1 = nullptr;
    std::function<void(int)> m_pause;
    int m_AlphaBlendValue = 255;
    bool m_AlphaBlend = false;
    bool m_shown = false;
};

// Shows the picture window modally until it has closed itself.
void ShowPicture(const std::function<void(int milliseconds)>& pause);

} // namespace app
