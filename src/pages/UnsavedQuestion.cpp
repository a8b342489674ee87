#include "UnsavedQuestion.h"

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
