#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes a pseudo-translation of a .ts file: every source wrapped in
"⟦…⟧", and a layout read from the right, so a window that shows a bare
English text or breaks when mirrored gives itself away."""

import sys
import xml.etree.ElementTree as ET

source_ts, pseudo_ts = sys.argv[1], sys.argv[2]
tree = ET.parse(source_ts)
tree.getroot().set("language", "ar")
for context in tree.getroot().iter("context"):
    for message in context.iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        translation.attrib.pop("type", None)
        translation.text = "RTL" if source == "QT_LAYOUT_DIRECTION" else "⟦" + source + "⟧"
tree.write(pseudo_ts, encoding="utf-8", xml_declaration=True)
