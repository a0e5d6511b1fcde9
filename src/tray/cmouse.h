// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Holds the application's mouse pointer while a slow step runs, as an
// hourglass for example, and gives the earlier pointer back when it goes out
// of scope. Works on Qt's override-cursor stack and leaves it as it found it.
class CMouse
{
public:
    // The pointers Korvel uses; any other number is the default.
    static constexpr int Default = 0;
    static constexpr int Hourglass = 11;

    CMouse() = default;
    ~CMouse();
    CMouse(const CMouse&) = delete;
    CMouse& operator=(const CMouse&) = delete;

    // The first call remembers the pointer of the moment. Lets pending events
    // other than user input run, so the new pointer shows at once.
    void SetPointer(int NewPointer = Default);

private:
    bool m_saved = false;
    // Whether somebody else's pointer was in place when this object took over;
    // the default pointer then needs an entry of its own to show through it.
    bool m_outerOverride = false;
    bool m_pushed = false;
};
