// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/cmouse.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <optional>

namespace {
// The application-wide pointer: the override cursor's shape, none without one.
std::optional<Qt::CursorShape> pointer()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

int overrideDepth()
{
    int depth = 0;
    for (; QGuiApplication::overrideCursor(); ++depth)
        QGuiApplication::restoreOverrideCursor();
    return depth;
}
} // namespace

TEST(CMouseTest, GivesBackThePointerItFound)
{
    using Shape = std::optional<Qt::CursorShape>;
    const struct Row {
        const char* name;
        Shape before;
        QList<int> pointers;
        Shape held; // after the last SetPointer
    } rows[] = {
        {"hourglass then default", std::nullopt, {CMouse::Hourglass, CMouse::Default}, std::nullopt},
        {"default, then hourglass twice", std::nullopt, {CMouse::Default, CMouse::Hourglass, CMouse::Hourglass},
         Qt::WaitCursor},
        {"hourglass over an outer pointer", Qt::PointingHandCursor, {CMouse::Hourglass, CMouse::Default},
         Qt::ArrowCursor},
        {"never set", Qt::PointingHandCursor, {}, Qt::PointingHandCursor},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.before)
            QGuiApplication::setOverrideCursor(*row.before);
        {
            CMouse mouse;
            for (int newPointer : row.pointers)
                mouse.SetPointer(newPointer);
            EXPECT_EQ(pointer(), row.held);
        }
        EXPECT_EQ(pointer(), row.before);
        EXPECT_EQ(overrideDepth(), row.before ? 1 : 0);
    }
}
