#pragma once

#include <QList>
#include <QString>

// What a session operation tells the user: nothing, or one message box with its title and
// translated text. Pages show it; sessions never open a box themselves.
struct Outcome
{
    enum Icon { Information, Warning };

    bool failed = false;
    QString title;
    QString text; // empty: nothing to show
    Icon icon = Information;

    static Outcome done() { return {}; }
    static Outcome said(const QString &title, const QString &text) { return {false, title, text, Information}; }
    static Outcome failure(const QString &title, const QString &text, Icon icon = Information)
    {
        return {true, title, text, icon};
    }

    bool succeeded() const { return !failed; }
    bool hasMessage() const { return !text.isEmpty(); }
};

using Outcomes = QList<Outcome>;

// Long work reports done of total and learns whether to go on; false cancels.
#include <functional>
using Progress = std::function<bool(int done, int total)>;
