#include "UnsavedQuestion.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>

UnsavedQuestion::Answer UnsavedQuestion::saveFirst(QWidget *parent, const QString &title, const QString &text)
{
    switch (QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Save;
    case QMessageBox::No:
        return Discard;
    default:
        return Cancel;
    }
}

UnsavedQuestion::Answer UnsavedQuestion::beforeClosing(QWidget *parent, int count)
{
    QMessageBox box(QMessageBox::Question, tr("Unsaved records"),
                    tr("%1 records in the list were never exported. Save them before closing?").arg(count),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(tr("Save…"));
    box.button(QMessageBox::Discard)->setText(tr("Discard"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Save))
        return Save;
    return box.clickedButton() == box.button(QMessageBox::Discard) ? Discard : Cancel;
}

bool UnsavedQuestion::confirmClear(QWidget *parent, int count)
{
    return QMessageBox::question(parent, tr("Clear"),
                                 tr("%1 records in the list were never exported. Clear them anyway?").arg(count),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool UnsavedQuestion::offerRestore(QWidget *parent, int count, const QDateTime &lastChange)
{
    QMessageBox box(QMessageBox::Question, tr("Restore records"),
                    tr("The last session ended with %1 records that were never exported (last change %2). "
                       "Restore them?")
                        .arg(count)
                        .arg(lastChange.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"))),
                    QMessageBox::Yes | QMessageBox::Discard, parent);
    box.button(QMessageBox::Yes)->setText(tr("Restore"));
    box.button(QMessageBox::Discard)->setText(tr("Discard"));
    // Escape keeps them: only an explicit Discard lets them go.
    box.setEscapeButton(QMessageBox::Yes);
    return box.exec() != QMessageBox::Discard;
}
