// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testlanguage.h"

#include <QCoreApplication>
#include <QTranslator>

void useLanguage(const QString& language)
{
    static QTranslator* texts = nullptr;
    if (!texts)
        texts = new QTranslator(QCoreApplication::instance());
    QCoreApplication::removeTranslator(texts);
    if (!texts->load(QStringLiteral("velmora_") + language, QStringLiteral(":/i18n")))
        qFatal("No test translation for %s", qPrintable(language));
    QCoreApplication::installTranslator(texts);
}

namespace {
void useEnglish()
{
    useLanguage(QStringLiteral("en"));
}
}
Q_COREAPP_STARTUP_FUNCTION(useEnglish)
