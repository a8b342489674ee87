#include "ModalCatcher.h"

#include <QPushButton>
#include <QApplication>
#include <QTest>

ModalCatcher::ModalCatcher(QObject *parent) : QObject(parent)
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalCatcher::poll);
    timer_.start();
}

QStringList ModalCatcher::texts() const
{
    QStringList list;
    for (const Seen &s : seen_)
        list << s.text;
    return list;
}

void ModalCatcher::poll()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box || !box->isVisible() || box->property("caught").toBool())
            continue;
        box->setProperty("caught", true);
        seen_.append({box->windowTitle(), box->text()});
        QAbstractButton *button = nullptr;
        if (box->button(QMessageBox::Yes) || box->button(QMessageBox::No) || box->button(QMessageBox::Cancel)) {
            const auto answer = answers_.isEmpty() ? QMessageBox::Yes : answers_.dequeue();
            if (answer == QMessageBox::Escape) {
                QTest::keyClick(box, Qt::Key_Escape);
                continue;
            }
            button = box->button(answer);
        }
        if (!button)
            button = box->defaultButton() ? static_cast<QAbstractButton *>(box->defaultButton())
                                          : box->buttons().value(0);
        if (button)
            button->click();
        else
            box->close();
    }
}
