#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs lupdate over the sources into a copy of each .ts file and fails when
a text has no translation (new, changed or unfinished), when a translation
is kept for a text that is gone, or when a translation drops or adds a %n
placeholder."""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, sources, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
placeholder = re.compile(r"%\d")
faults = []
with tempfile.TemporaryDirectory() as folder:
    for ts in ts_files:
        copy = shutil.copy(ts, folder)
        subprocess.run([lupdate, "-silent", "-locations", "none", sources, "-ts", copy], check=True)
        for context in ET.parse(copy).getroot().iter("context"):
            name = context.find("name").text
            for message in context.iter("message"):
                source = message.find("source").text or ""
                translation = message.find("translation")
                kind = translation.get("type")
                text = translation.text or ""
                if kind or not text:
                    faults.append(f"{ts}: {name}: {kind or 'empty'}: {source!r}")
                elif sorted(placeholder.findall(source)) != sorted(placeholder.findall(text)):
                    faults.append(f"{ts}: {name}: placeholders differ: {source!r} -> {text!r}")
print("\n".join(faults) or "every text translated")
sys.exit(1 if faults else 0)
