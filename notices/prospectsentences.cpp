// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "prospectsentences.h"

#include "actionnames.h"

#include <QStringList>

using PowerActions::actionName;

// Quoted: the words are the program's own, and may say anything. The
// system lets the user's own programs hold nothing off.
QString blockerSentence(const ExitProspect::Blocker& blocker)
{
    const QString who = QString::fromStdString(blocker.who);
    const QString why = QString::fromStdString(blocker.why);
    if (blocker.callersOwn)
        return QStringLiteral("\u201C%1\u201D (yours) is still running: \u201C%2\u201D. It will be stopped.").arg(who, why);
    return QStringLiteral("\u201C%1\u201D holds it off: \u201C%2\u201D.").arg(who, why);
}

// A password prompt may never appear (no agent runs) or go unanswered, so
// the warning promises none.
QString prospectSentences(const ExitProspect& prospect, std::uint32_t exitFlags)
{
    QStringList sentences;
    switch (prospect.consent) {
    case ExitProspect::Consent::AsksPassword:
        sentences << QStringLiteral("The system will want an administrator's password. "
                                    "If nobody enters it, the %1 will not happen.")
                         .arg(actionName(exitFlags).toLower());
        break;
    case ExitProspect::Consent::Denied:
        sentences << QStringLiteral("The system does not allow this action.");
        break;
    case ExitProspect::Consent::NoSession:
        sentences << QStringLiteral("%1 will not work from here: Velmora is not running inside a login session.")
                         .arg(actionName(exitFlags));
        break;
    default:
        break;
    }
    for (const ExitProspect::Blocker& blocker : prospect.blockers)
        sentences << blockerSentence(blocker);
    return sentences.join(QLatin1Char('\n'));
}
