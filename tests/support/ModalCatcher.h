#pragma once

#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QTimer>

// Closes the message boxes that the code under test opens, and remembers what they said.
// Question boxes are answered from a queue (Yes when it is empty; QMessageBox::Escape presses
// the Escape key); others with their default button.
class ModalCatcher : public QObject
{
public:
    struct Seen
    {
        QString title;
        QString text;
    };

    explicit ModalCatcher(QObject *parent = nullptr);

    void answerNext(QMessageBox::StandardButton button) { answers_.enqueue(button); }
    const QList<Seen> &seen() const { return seen_; }
    QStringList texts() const;
    QString lastText() const { return seen_.isEmpty() ? QString() : seen_.last().text; }
    void clear() { seen_.clear(); }

private:
    void poll();

    QTimer timer_;
    QQueue<QMessageBox::StandardButton> answers_;
    QList<Seen> seen_;
};
