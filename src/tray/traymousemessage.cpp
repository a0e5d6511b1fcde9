// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/traymousemessage.h"

#include <algorithm>
#include <iterator>

namespace TrayMouseMessage {

namespace {
struct Entry
{
    quint32 message;
    TrayMouseEvent event;
};

constexpr Entry kMessages[] = {
    {0x200, {TrayMouseEvent::MouseMove, 0}},
    {0x201, {TrayMouseEvent::MouseDown, 1}},
    {0x202, {TrayMouseEvent::MouseUp, 1}},
    {0x203, {TrayMouseEvent::DoubleClick, 1}},
    {0x204, {TrayMouseEvent::MouseDown, 2}},
    {0x205, {TrayMouseEvent::MouseUp, 2}},
    {0x206, {TrayMouseEvent::DoubleClick, 2}},
};
} // namespace

TrayMouseEvent decode(quint32 message)
{
    const auto found = std::find_if(std::begin(kMessages), std::end(kMessages),
                                     [message](const Entry& entry) { return entry.message == message; });
    return found == std::end(kMessages) ? TrayMouseEvent{} : found->event;
}

TrayMouseEvent decodeTwips(qint32 xTwips)
{
    // A coordinate between two messages is an ordinary mouse move over the form.
    if (xTwips < 0 || xTwips % TwipsPerMessage != 0)
        return {};
    return decode(quint32(xTwips / TwipsPerMessage));
}

} // namespace TrayMouseMessage
