#pragma once

#include "app/form1services.h"
#include "app/userprompts.h"
#include "clockset/clocksetter.h"

#include <QStringList>

// A clock that is never the machine's: records each adjustment and answers
// with the outcome a test sets.
class FakeClockSetter : public ClockSetter
{
public:
    ClockSetOutcome answer{ClockSetOutcome::Kind::Set, {}};
    QList<qint64> adjustments;

    ClockSetOutcome adjust(qint64 adjustmentUsec) override
    {
        adjustments.append(adjustmentUsec);
        return answer;
    }
    QString name() const override { return QStringLiteral("fake"); }
};

// Answers the window's questions in place of the user and counts beeps.
class FakePrompts : public UserPrompts
{
public:
    bool yes = false;
    QString typed;
    QStringList asked;
    int beeps = 0;

    bool askYesNo(QWidget*, const QString& title, const QString&) override
    {
        asked.append(title);
        return yes;
    }
    QString askText(QWidget*, const QString& title, const QString&) override
    {
        asked.append(title);
        return typed;
    }
    void beep() override { ++beeps; }
};

// Services for a window under test: nothing reaches the machine's clock,
// the user or the process's end.
inline Form1Services testServices(std::shared_ptr<ConnectionBackend> backend,
                                  std::shared_ptr<FakeClockSetter> clock = std::make_shared<FakeClockSetter>(),
                                  std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>(),
                                  std::function<void()> endProgram = [] {})
{
    return {std::move(backend), std::move(clock), std::move(prompts), std::move(endProgram)};
}
