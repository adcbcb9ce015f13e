#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TFormZastavka8;
}

namespace app {

// The splash shown while the start-up checks run: what is being examined and
// a gauge of the checks done.
class TFormZastavka8 : public QWidget {
public:
    explicit TFormZastavka8(QWidget* parent = nullptr);
    ~TFormZastavka8() override;

    void FormCreate();

    void setSteps(int steps);
    // One more check done.
    void advance();
    // Shows the text at once, without waiting for the next round of painting.
    void setStepText(const QString& text);

    int progress() const;
    int steps() const;
    QString stepText() const;

private:
    std::unique_ptr<Ui::TFormZastavka8> m_ui;
};

} // namespace app
