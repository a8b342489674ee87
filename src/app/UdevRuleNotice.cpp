// SPDX-License-Identifier: Apache-2.0
#include "UdevRuleNotice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

void showUdevRuleNotice(QWidget *window)
{
    static bool shown = false;
    if (shown)
        return;
    shown = true;
    // An installed tree carries the rule under lib/udev/rules.d; a build tree has it in the sources.
    QString rule = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                   + QStringLiteral("/../lib/udev/rules.d/70-lumivex.rules"));
    if (!QFileInfo::exists(rule))
        rule = QStringLiteral("packaging/70-lumivex.rules");
    auto *box = new QMessageBox(
        QMessageBox::Warning, QCoreApplication::translate("QObject", "Warn"),
        QCoreApplication::translate("MainWindow",
                                    "The meter is plugged in, but this user may not open it: its udev rule is missing.\n"
                                    "Install the rule once and plug the meter in again:\n\n"
                                    "sudo cp %1 /etc/udev/rules.d/\n"
                                    "sudo udevadm control --reload-rules")
            .arg(rule),
        QMessageBox::Ok, window);
    box->setModal(false);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}
