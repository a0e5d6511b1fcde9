// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <optional>

namespace {

struct Installed
{
    std::unique_ptr<QTranslator> korvel;
    std::unique_ptr<QTranslator> qt;
    QLocale::Language language = QLocale::English;
};

Installed& installed()
{
    static Installed translators;
    return translators;
}

// "de-AT" -> "de_AT", then its language alone, "de".
QStringList fileNamesFor(const QString& uiLanguage)
{
    QString name = uiLanguage;
    name.replace(u'-', u'_');
    QStringList names{name};
    const qsizetype underscore = name.indexOf(u'_');
    if (underscore > 0)
        names << name.left(underscore);
    return names;
}

// Qt mirrors the window when the translation says its language reads from
// the right; marked here so that every translation answers.
[[maybe_unused]] const char* const kLayoutDirection[2] =
    QT_TRANSLATE_NOOP3("QGuiApplication", "QT_LAYOUT_DIRECTION",
                       "Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in "
                       "right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.");

} // namespace

QString Language::load(const QStringList& uiLanguages, const QStringList& folders)
{
    unload();
    for (const QString& uiLanguage : uiLanguages) {
        const QLocale wanted(uiLanguage);
        if (wanted.language() == QLocale::English || wanted.language() == QLocale::C)
            return {};
        for (const QString& name : fileNamesFor(uiLanguage)) {
            for (const QString& folder : folders) {
                const QString file = QDir(folder).filePath(QStringLiteral("korvel_%1.qm").arg(name));
                if (QFileInfo::exists(file) && install(file, wanted))
                    return file;
            }
        }
    }
    return {};
}

bool Language::install(const QString& file, const QLocale& language)
{
    unload();
    auto korvel = std::make_unique<QTranslator>();
    if (!korvel->load(file))
        return false;
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt.get());
    else
        qt.reset();
    // Installed last, so that Korvel's own words come first; installing
    // also mirrors the window when the translation says it reads from the
    // right.
    QCoreApplication::installTranslator(korvel.get());
    installed() = {std::move(korvel), std::move(qt), language.language()};
    return true;
}

void Language::unload()
{
    Installed& current = installed();
    for (QTranslator* translator : {current.korvel.get(), current.qt.get()}) {
        if (translator)
            QCoreApplication::removeTranslator(translator);
    }
    current = {};
}

QStringList Language::folders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QDir(programFolder).filePath(QStringLiteral("translations")),
            QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(KORVEL_TRANSLATIONS_FROM_PROGRAM)))};
}

QLocale Language::locale()
{
    const QLocale user = QLocale::system();
    const QLocale::Language language = installed().language;
    if (user.language() == language || (language == QLocale::English && user.language() == QLocale::C))
        return user;
    return QLocale(language, user.territory());
}
