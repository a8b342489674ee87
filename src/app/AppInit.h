#pragma once

#include <QObject>
#include <QPoint>

// Lets any window marked with the dynamic property "canMove" be dragged with the left button.
class AppInit : public QObject
{
    Q_OBJECT
public:
    static AppInit *Instance();
    // Installs the filter on the application.
    void start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;

    bool pressed_ = false;
    QPoint grabOffset_;
};
