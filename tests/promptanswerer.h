// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <utility>

// Answers the modal save prompt from inside the test, since saveSettings()
// does not return until somebody does.
using Answer = std::function<void(QMessageBox*)>;

inline void press(QMessageBox* prompt, const QString& text)
{
    for (QAbstractButton* button : prompt->buttons()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
}

inline const Answer pressIgnore = [](QMessageBox* prompt) { press(prompt, QStringLiteral("Ignore")); };
inline const Answer pressRetry = [](QMessageBox* prompt) { press(prompt, QStringLiteral("Retry")); };

struct PromptLook
{
    bool hasParent = true;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool defaultOrEscapeSet = true;
    QStringList buttons;
    QList<int> roles;
};

// Answers each save prompt that opens with the next answer in line, and
// ignores any prompt beyond them so that a faulty save cannot hang the test.
class PromptAnswerer : public QObject
{
public:
    explicit PromptAnswerer(QList<Answer> answers) : answers(std::move(answers))
    {
        connect(&poll, &QTimer::timeout, this, &PromptAnswerer::answerOpenPrompt);
        poll.start(10);
    }

    int prompts = 0;
    PromptLook firstLook;

private:
    void answerOpenPrompt()
    {
        auto* prompt = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!prompt || !prompt->isVisible())
            return;
        if (prompts++ == 0)
            firstLook = lookOf(prompt);
        (answers.isEmpty() ? pressIgnore : answers.takeFirst())(prompt);
    }

    static PromptLook lookOf(QMessageBox* prompt)
    {
        PromptLook look{prompt->parent() != nullptr, prompt->windowTitle(), prompt->text(), prompt->icon(),
                        prompt->defaultButton() || prompt->escapeButton(), {}, {}};
        for (QAbstractButton* button : prompt->buttons()) {
            look.buttons << button->text();
            look.roles << prompt->buttonRole(button);
        }
        return look;
    }

    QList<Answer> answers;
    QTimer poll;
};
