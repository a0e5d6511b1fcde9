#pragma once

#include <QString>

class QWidget;

// The few places where the window asks the user something or makes a sound.
// Tests answer in place of the user.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text);
    // A line of text; empty when the user cancels.
    virtual QString askText(QWidget* parent, const QString& title, const QString& prompt);
    virtual void beep();
};
