#include "AppInit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

AppInit *AppInit::Instance()
{
    static AppInit *instance = new AppInit(qApp);
    return instance;
}

void AppInit::start()
{
    qApp->installEventFilter(this);
}

bool AppInit::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->property("canMove").toBool())
        return QObject::eventFilter(watched, event);

    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            break;
        pressed_ = true;
        grabOffset_ = mouse->globalPosition().toPoint() - window->pos();
        return true;
    case QEvent::MouseButtonRelease:
        pressed_ = false;
        return true;
    case QEvent::MouseMove:
        if (!pressed_ || mouse->buttons() == Qt::NoButton)
            break;
        window->move(mouse->globalPosition().toPoint() - grabOffset_);
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
