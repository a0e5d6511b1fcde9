// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/localizedtext.h"

#include <QCoreApplication>

LocalizedText LocalizedText::translate(const char* context, const char* source, const char* disambiguation)
{
    LocalizedText text;
    text.m_english = QString::fromUtf8(source);
    text.m_shown = QCoreApplication::translate(context, source, disambiguation);
    return text;
}

LocalizedText LocalizedText::marked(const char* context, const QString& source)
{
    LocalizedText text;
    text.m_english = source;
    text.m_shown = QCoreApplication::translate(context, source.toUtf8().constData());
    return text;
}

LocalizedText LocalizedText::arg(const LocalizedText& value) const
{
    LocalizedText text;
    text.m_english = m_english.arg(value.m_english);
    text.m_shown = m_shown.arg(value.m_shown);
    return text;
}
