// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "saveprompt.h"
#include "settings.h"
#include "settingsfile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

// QSaveFile writes a temporary file beside settings.dat (beside the target of
// a link of that name) and renames it over the old one only once every byte
// is written, so a save that fails at any step leaves the old file, or its
// absence, as it was. It would put a regular file in place of a FIFO or a
// device of that name, so only a regular file, or no file, is replaced.
// Unbuffered, because Qt 6.4's commit() misses a failure to flush its buffer
// and would put an empty file in place of the old one on a full disk.
bool writeSettingsFile(const std::string& text)
{
    const QString name = QStringLiteral("settings.dat");
    const QFileInfo existing(name);
    if (existing.exists() && !existing.isFile())
        return false;
    QSaveFile file(name);
    const auto size = static_cast<qint64>(text.size());
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text.data(), size) == size
        && file.commit();
}

} // namespace

void saveSettings(std::int32_t sleepTime, bool displayAlert, std::int32_t alertTime, QWidget* promptOwner)
{
    const std::string text = formatSettings(sleepTime, displayAlert, alertTime);
    while (!writeSettingsFile(text)) {
        if (!askToRetrySave(promptOwner))
            return;
    }
}
