#include "AppInit.h"

#include "DataPaths.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
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

bool AppInit::switchLanguage(QTranslator &ours, const QString &fileName, const QString &qtLanguage)
{
    // Look before loading: a failed load would empty the translation in use.
    QString found;
    for (const QString &folder : DataPaths::translationFolders()) {
        const QString path = (folder.isEmpty() ? fileName : folder + u'/' + fileName) + QStringLiteral(".qm");
        if (QFileInfo::exists(path)) {
            found = path;
            break;
        }
    }
    if (found.isEmpty() || !ours.load(found))
        return false;
    QCoreApplication::installTranslator(&ours);

    // Without Qt's translations installed its own texts simply stay English.
    QCoreApplication::removeTranslator(&qtTranslator_);
    if (!qtLanguage.isEmpty()
        && qtTranslator_.load(QStringLiteral("qtbase_") + qtLanguage, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator_);
    return true;
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
