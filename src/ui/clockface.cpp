// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/clockface.h"

#include "base/textformat.h"
#include "ui/designstyle.h"
#include "ui/ledpainter.h"
#include "ui/twipsconverter.h"
#include "ui/uilog.h"

#include <QLabel>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>

namespace {

const QColor kGround(192, 192, 192);
constexpr int kDateWidthTwips = 2010;
constexpr qreal kSmallestDatePoints = 6.0;

QLabel* namedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

ClockFace::ClockFace(QWidget* parent)
    : QWidget(parent)
    , lblDate(namedLabel(this, "lblDate"))
    , Picture1(namedLabel(this, "Picture1"))
    , picLED(namedLabel(this, "picLED"))
    , ClockTimer(new QTimer(this))
    , m_timeSource([] { return QDateTime(); })
{
    const TwipsConverter twips(logicalDpiX());
    setObjectName(QStringLiteral("ClockFace"));
    resize(twips.toPixels(3240), twips.toPixels(840));
    DesignStyle::setBackground(this, QPalette::Window, kGround);

    lblDate->setGeometry(twips.rect(0, 0, kDateWidthTwips, 225));
    lblDate->setAlignment(Qt::AlignCenter);
    lblDate->setFont(DesignStyle::designFont(DesignStyle::kDialogPoints));
    DesignStyle::setForeground(lblDate, QColor(0, 0, 192));

    // The panel keeps its last drawing, so it shows the same time when
    // uncovered and while the ticks are stopped.
    Picture1->setGeometry(twips.rect(480, 225, 1155, 315));
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picLED->setGeometry(twips.rect(1200, 600, 2100, 210));
    picLED->hide();
    // Reached by Tab, so a keyboard and a screen reader can read the time.
    setFocusPolicy(Qt::TabFocus);
    // The glyph strip and the panel wait for the first tick: a window that
    // starts in the tray may never show its clock.

    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    ClockTimer->setInterval(0);
    connect(ClockTimer, &QTimer::timeout, this, &ClockFace::ClockTimer_Timer);
}

ClockFace::~ClockFace()
{
    m_timerEnabled = false;
    updateTimer();
}

qint16 ClockFace::TimerI() const
{
    return static_cast<qint16>(ClockTimer->interval());
}

void ClockFace::setTimerI(qint16 interval)
{
    if (interval < 0) {
        qCWarning(lcUi) << "Ignoring a negative clock face interval:" << interval;
        return;
    }
    ClockTimer->setInterval(interval);
    updateTimer();
}

void ClockFace::setTimeSource(TimeSource source)
{
    m_timeSource = std::move(source);
}

void ClockFace::ClockTimer_Timer()
{
    // One reading for digits and date, so they agree across midnight.
    const QDateTime now = m_timeSource();
    if (!now.isValid()) {
        qCWarning(lcUi) << "The clock face's time source gave no valid time";
        return;
    }
    matchScreen();
    LedPainter::drawTime(m_panel, picLED->pixmap(), now.time(), m_ColonOn);
    Picture1->setPixmap(m_panel);
    lblDate->setText(TextFormat::locale().toString(now.date(), QLocale::LongFormat));
    fitDateLine();
    m_ColonOn = !m_ColonOn;
    m_lastTime = now;
    speakTime();
}

QString ClockFace::spokenTime(const QDateTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString();
}

// A screen reader hears the time when it changes: once a minute, the
// seconds would be more than a listener can bear.
void ClockFace::speakTime()
{
    const QString time = spokenTime(m_lastTime);
    if (time.isEmpty() || time == accessibleName())
        return;
    setAccessibleName(time);
    Picture1->setAccessibleName(time);
}

void ClockFace::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Focused before its first tick, the face still has a time to say.
    if (!m_lastTime.isValid() && m_timeSource)
        m_lastTime = m_timeSource();
    speakTime();
    update();
}

void ClockFace::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// The panel shows the focus by a frame around it.
void ClockFace::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = Picture1->geometry().adjusted(-2, -2, 2, 2);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

// The panel and the strip are drawn in the screen's own device pixels, so
// the digits stay sharp on a scaled screen. A new panel is blank, so the
// next tick draws both colons.
void ClockFace::matchScreen()
{
    const int scale = LedPainter::stripScale(devicePixelRatioF());
    if (!m_panel.isNull() && qRound(m_panel.devicePixelRatio()) == scale)
        return;
    const QString name = scale == 1 ? QStringLiteral("ledstrip.gif") : QStringLiteral("ledstrip@%1x.gif").arg(scale);
    QPixmap strip(QStringLiteral(":/korvel/clockface/") + name);
    if (strip.isNull())
        qCWarning(lcUi) << "The LED glyph strip cannot be read; is Qt's GIF image plugin installed?";
    strip.setDevicePixelRatio(scale);
    picLED->setPixmap(strip);
    m_panel = QPixmap(Picture1->contentsRect().size() * scale);
    m_panel.setDevicePixelRatio(scale);
    m_panel.fill(kGround);
    Picture1->setPixmap(m_panel);
    m_ColonOn = true;
}

void ClockFace::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Being placed or sized arms the clock; the first tick after it shows
    // both colons lit.
    m_ColonOn = true;
    m_timerEnabled = true;
    updateTimer();
    fitDateLine();
}

// On the window the face shows less than its design width. The date line
// keeps to the part that shows and takes smaller type for a long date rather
// than losing its ends.
void ClockFace::fitDateLine()
{
    const int designWidth = TwipsConverter(logicalDpiX()).toPixels(kDateWidthTwips);
    lblDate->resize(qMin(designWidth, width()), lblDate->height());
    lblDate->setFont(DesignStyle::fittedFont(DesignStyle::designFont(DesignStyle::kDialogPoints),
                                             lblDate->text(), lblDate->width(), kSmallestDatePoints));
}

void ClockFace::updateTimer()
{
    if (m_timerEnabled && ClockTimer->interval() > 0)
        ClockTimer->start();
    else
        ClockTimer->stop();
}
