// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

// An LED-style digital clock: "hh:mm:ss" in seven-segment digits with the
// seconds colon blinking, and the long date above. It keeps no time of its
// own: every tick it asks its time source and redraws.
class ClockFace : public QWidget
{
    Q_OBJECT
    // The tick interval in milliseconds; 0 stops the ticks. Not persisted.
    Q_PROPERTY(qint16 TimerI READ TimerI WRITE setTimerI)

public:
    // The time to show: its wall fields (date and time) are shown as they are.
    using TimeSource = std::function<QDateTime()>;

    explicit ClockFace(QWidget* parent = nullptr);
    ~ClockFace() override;

    qint16 TimerI() const;
    void setTimerI(qint16 interval);

    // Until the host hands one in, the face draws nothing. The source must
    // not be empty.
    void setTimeSource(TimeSource source);

    // One tick: draws the time and date and flips the seconds colon.
    void ClockTimer_Timer();

    // What a screen reader says for `time`: hours and minutes ("HH:mm").
    static QString spokenTime(const QDateTime& time);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void updateTimer();
    // Reads the glyph strip and makes a blank panel for the screen's scale,
    // at the first tick and when the scale changes.
    void matchScreen();
    void fitDateLine();
    void speakTime();

    QLabel* lblDate;
    QLabel* Picture1;
    QLabel* picLED;
    QTimer* ClockTimer;

    QPixmap m_panel;
    TimeSource m_timeSource;
    // The time the last tick drew.
    QDateTime m_lastTime;
    bool m_ColonOn = false;
    // The timer ticks only while enabled and given an interval above 0.
    bool m_timerEnabled = false;
};
