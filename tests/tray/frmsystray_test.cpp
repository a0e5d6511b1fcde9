#include "tray/frmsystray.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

TEST(frmSysTray, IsAHiddenFormWithTheDesignedPopupMenu)
{
    const frmSysTray form;
    EXPECT_EQ(form.objectName(), QStringLiteral("frmSysTray"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Sys Tray Interface"));
    EXPECT_EQ(form.size(), QSize(312, 128));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.windowIcon().isNull());

    const QMenu* popup = form.mnuPopup();
    EXPECT_EQ(popup->objectName(), QStringLiteral("mnuPopup"));
    EXPECT_EQ(popup->title(), QStringLiteral("&Popup"));
    ASSERT_EQ(form.mnuSysTray().size(), 1);
    EXPECT_EQ(popup->actions(), form.mnuSysTray());
    EXPECT_EQ(form.mnuSysTray().first()->objectName(), QStringLiteral("mnuSysTray"));
    EXPECT_TRUE(form.mnuSysTray().first()->text().isEmpty());
}
