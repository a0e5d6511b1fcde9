#include "tray/traymousemessage.h"

#include <gtest/gtest.h>

namespace {
using Kind = TrayMouseEvent::Kind;
} // namespace

TEST(TrayMouseMessageTest, MessagesAndTheirTwipsFormDecodeAlike)
{
    const struct Row {
        quint32 message;
        TrayMouseEvent event;
    } rows[] = {
        {0x200, {Kind::MouseMove, 0}},   {0x201, {Kind::MouseDown, 1}}, {0x202, {Kind::MouseUp, 1}},
        {0x203, {Kind::DoubleClick, 1}}, {0x204, {Kind::MouseDown, 2}}, {0x205, {Kind::MouseUp, 2}},
        {0x206, {Kind::DoubleClick, 2}}, {0x207, {}}, {0x208, {}}, {0x209, {}}, {0x1FF, {}}, {0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        EXPECT_EQ(TrayMouseMessage::decode(row.message), row.event);
        EXPECT_EQ(TrayMouseMessage::decodeTwips(qint32(row.message) * 15), row.event);
    }
}

TEST(TrayMouseMessageTest, TwipsBetweenOrBelowMessagesMeanNothing)
{
    for (const qint32 xTwips : {7681, 7694, 7769, -7680, 0x201})
        EXPECT_EQ(TrayMouseMessage::decodeTwips(xTwips), TrayMouseEvent{}) << xTwips;
}
