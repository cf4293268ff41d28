// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installTranslators(QCoreApplication& application)
{
    const QString embedded = QStringLiteral(":/i18n");
    auto* texts = new QTranslator(&application);
    // English is the language of the sources, so its file holds only the
    // plural forms ("1 minute", "2 minutes"): without it the English program
    // would print the source's "%n minute(s)".
    if (!texts->load(QLocale::system(), QStringLiteral("velmora"), QStringLiteral("_"), embedded)
        && !texts->load(QStringLiteral("velmora_en"), embedded))
        return;
    QCoreApplication::installTranslator(texts);
    // Qt's texts in the language that the program's matched, rather than in
    // the first of the user's that Qt has: one window, one language.
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(QStringLiteral("qtbase_") + texts->language(),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}
