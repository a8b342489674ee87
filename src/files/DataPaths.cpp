// SPDX-License-Identifier: Apache-2.0
#include "DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace DataPaths {

QStringList folders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/../share/lumivex"))};
}

QString find(const QString &fileName)
{
    for (const QString &folder : folders()) {
        const QString path = folder + u'/' + fileName;
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QStringList translationFolders()
{
    return QStringList{QString()} + folders();
}

} // namespace DataPaths
