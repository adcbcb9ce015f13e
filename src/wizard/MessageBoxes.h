#pragma once

#include <QString>

class QWidget;

namespace wizard {

// The program's modal boxes: a message with OK, and a question with Yes and No
// without an icon. Texts come with their line breaks in place.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // True for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
};

// The boxes on the screen, captioned with the program's name.
class QtMessageBoxes : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
};

} // namespace wizard
