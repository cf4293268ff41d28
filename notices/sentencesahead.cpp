// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sentencesahead.h"

#include "actionnames.h"

#include <QCoreApplication>
#include <QStringList>

using PowerActions::forAction;

namespace {

QString passwordSentences(std::uint32_t exitFlags)
{
    return forAction(exitFlags,
                     QCoreApplication::translate("ProspectSentences",
                                                 "The system will want an administrator's password. "
                                                 "If nobody enters it, the shutdown will not happen."),
                     QCoreApplication::translate("ProspectSentences",
                                                 "The system will want an administrator's password. "
                                                 "If nobody enters it, the reboot will not happen."),
                     QCoreApplication::translate("ProspectSentences",
                                                 "The system will want an administrator's password. "
                                                 "If nobody enters it, the log off will not happen."));
}

QString noSessionSentence(std::uint32_t exitFlags)
{
    return forAction(exitFlags,
                     QCoreApplication::translate("ProspectSentences",
                                                 "Shutdown will not work from here: Velmora is not running "
                                                 "inside a login session."),
                     QCoreApplication::translate("ProspectSentences",
                                                 "Reboot will not work from here: Velmora is not running "
                                                 "inside a login session."),
                     QCoreApplication::translate("ProspectSentences",
                                                 "Log off will not work from here: Velmora is not running "
                                                 "inside a login session."));
}

}

// Quoted: the words are the program's own, and may say anything. The
// system lets the user's own programs hold nothing off.
QString blockerSentence(const ExitProspect::Blocker& blocker)
{
    const QString who = QString::fromStdString(blocker.who);
    const QString why = QString::fromStdString(blocker.why);
    if (blocker.callersOwn) {
        //: A program of the user's that the action will stop: %1 is its name, %2 what it says it is doing.
        return QCoreApplication::translate("ProspectSentences", "\u201C%1\u201D (yours) is still running: "
                                                                "\u201C%2\u201D. It will be stopped.")
            .arg(who, why);
    }
    //: A program that holds the action off: %1 is its name, %2 the reason it gives.
    return QCoreApplication::translate("ProspectSentences", "\u201C%1\u201D holds it off: \u201C%2\u201D.")
        .arg(who, why);
}

// A password prompt may never appear (no agent runs) or go unanswered, so
// the warning promises none.
QString prospectSentences(const ExitProspect& prospect, std::uint32_t exitFlags)
{
    QStringList sentences;
    switch (prospect.consent) {
    case ExitProspect::Consent::AsksPassword:
        sentences << passwordSentences(exitFlags);
        break;
    case ExitProspect::Consent::Denied:
        sentences << QCoreApplication::translate("ProspectSentences", "The system does not allow this action.");
        break;
    case ExitProspect::Consent::NoSession:
        sentences << noSessionSentence(exitFlags);
        break;
    default:
        break;
    }
    for (const ExitProspect::Blocker& blocker : prospect.blockers)
        sentences << blockerSentence(blocker);
    return sentences.join(QLatin1Char('\n'));
}
