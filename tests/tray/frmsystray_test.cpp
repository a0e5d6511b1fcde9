#include "tray/frmsystray.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

TEST(frmSysTray, IsAHiddenFormWithTheDesignedPopupMenu)
{
    const frmSysTray form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Sys Tray Interface"));
    EXPECT_EQ(form.size(), QSize(312, 128));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.mnuPopup()->objectName() + form.mnuPopup()->title(), QStringLiteral("mnuPopup&Popup"));
    ASSERT_EQ(form.mnuPopup()->actions(), form.mnuSysTray());
    ASSERT_EQ(form.mnuSysTray().size(), 1);
    EXPECT_TRUE(form.mnuSysTray().first()->text().isEmpty());
}
