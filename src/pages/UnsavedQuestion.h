#pragma once

#include <QCoreApplication>

class QDateTime;
class QWidget;

// The questions asked before records that exist only in a list could go. Escape or closing
// the box answers Cancel: nothing happens.
class UnsavedQuestion
{
    Q_DECLARE_TR_FUNCTIONS(UnsavedQuestion)

public:
    enum Answer { Save, Discard, Cancel };

    // "Save first?" in the page's own words: Yes saves, No discards.
    static Answer saveFirst(QWidget *parent, const QString &title, const QString &text);
    // Before a window with count unsaved records closes: Save… / Discard / Cancel.
    static Answer beforeClosing(QWidget *parent, int count);
    // Before Clear empties a list with count unsaved records; true when the user says Yes.
    static bool confirmClear(QWidget *parent, int count);
    // At start, for the records a previous session left; false only when the user discards them.
    static bool offerRestore(QWidget *parent, int count, const QDateTime &lastChange);
};
