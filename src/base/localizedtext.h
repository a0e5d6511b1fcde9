// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A text twice: as the window shows it, in the loaded translation, and in
// the English it was written in, for standard error and the journal, so
// logs and bug reports read alike whatever the desktop's language.
class LocalizedText
{
public:
    LocalizedText() = default;
    // Words that read the same in every language: a name, a server's
    // message. Implicit, as most values put into a sentence are such words.
    LocalizedText(const QString& same)
        : m_english(same)
        , m_shown(same)
    {
    }
    // The source text and its translation in `context`, as
    // QCoreApplication::translate finds it.
    static LocalizedText translate(const char* context, const char* source, const char* disambiguation = nullptr);
    // The same for a source text held in a variable, marked where it is
    // written with QT_TRANSLATE_NOOP in `context`.
    static LocalizedText marked(const char* context, const QString& source);

    // Fills the lowest %n of both texts, each with its own side of `value`.
    LocalizedText arg(const LocalizedText& value) const;

    const QString& english() const { return m_english; }
    const QString& shown() const { return m_shown; }
    bool isEmpty() const { return m_shown.isEmpty(); }

private:
    QString m_english;
    QString m_shown;
};
