#pragma once

#include <QObject>
#include <QPoint>
#include <QTranslator>

// Lets any window marked with the dynamic property "canMove" be dragged with the left button,
// and keeps Qt's own translation in step with the program's language.
class AppInit : public QObject
{
    Q_OBJECT
public:
    static AppInit *Instance();
    // Installs the filter on the application.
    void start();

    // Loads our translation `fileName` ("Lumivex_zh") into `ours` and installs it, together with
    // Qt's own texts (buttons, file and print dialogs) for `qtLanguage` ("zh_CN"; empty for
    // English, which Qt needs none for). False, with nothing changed, when ours is not found.
    bool switchLanguage(QTranslator &ours, const QString &fileName, const QString &qtLanguage);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;

    bool pressed_ = false;
    QPoint grabOffset_;
    QTranslator qtTranslator_;
};
