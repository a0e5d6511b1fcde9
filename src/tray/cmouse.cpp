// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/cmouse.h"

#include "base/eventslice.h"

#include <QCursor>
#include <QGuiApplication>

#include <optional>

namespace {
// The shape to put over the application, none for the default pointer.
std::optional<Qt::CursorShape> shapeFor(int pointer)
{
    if (pointer == CMouse::Hourglass)
        return Qt::WaitCursor;
    return std::nullopt;
}
} // namespace

CMouse::~CMouse()
{
    if (!m_saved)
        return;
    if (m_pushed)
        QGuiApplication::restoreOverrideCursor();
    EventSlice::letEventsRun();
}

void CMouse::SetPointer(int NewPointer)
{
    if (!m_saved) {
        m_saved = true;
        m_outerOverride = QGuiApplication::overrideCursor() != nullptr;
    }
    const std::optional<Qt::CursorShape> shape = shapeFor(NewPointer);
    if (shape || m_outerOverride) {
        const QCursor wanted(shape.value_or(Qt::ArrowCursor));
        if (m_pushed)
            QGuiApplication::changeOverrideCursor(wanted);
        else
            QGuiApplication::setOverrideCursor(wanted);
        m_pushed = true;
    } else if (m_pushed) {
        QGuiApplication::restoreOverrideCursor();
        m_pushed = false;
    }
    EventSlice::letEventsRun();
}
