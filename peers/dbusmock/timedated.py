# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""systemd-timedated as Korvel meets it: dbusmock's template, whose SetTime
refuses while automatic network time (NTP) is on, as the real service does,
and otherwise accepts and changes no clock. Every call is logged."""

import dbus  # noqa: F401 (the methods' code raises its exceptions)
from dbusmock.templates.timedated import *  # noqa: F401,F403
from dbusmock.templates.timedated import MAIN_IFACE
from dbusmock.templates.timedated import load as load_template


def load(mock, parameters):
    load_template(mock, parameters)
    mock.AddMethod(MAIN_IFACE, 'SetTime', 'xbb', '',
                   f"if self.props['{MAIN_IFACE}']['NTP']: raise dbus.exceptions.DBusException("
                   "'refused by the mock', name='org.freedesktop.timedate1.AutomaticTimeSyncEnabled')")
