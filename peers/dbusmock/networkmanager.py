# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""NetworkManager as Korvel meets it: dbusmock's template with what the
template lacks and Korvel reads for the kind of connection, the manager's
PrimaryConnection and PrimaryConnectionType (none at first)."""

import dbus
import dbusmock
from dbusmock.templates.networkmanager import *  # noqa: F401,F403
from dbusmock.templates.networkmanager import MANAGER_IFACE, MANAGER_OBJ
from dbusmock.templates.networkmanager import load as load_template


def load(mock, parameters):
    load_template(mock, parameters)
    manager = dbusmock.get_object(MANAGER_OBJ)
    manager.AddProperty(MANAGER_IFACE, 'PrimaryConnection', dbus.ObjectPath('/'))
    manager.AddProperty(MANAGER_IFACE, 'PrimaryConnectionType', '')
