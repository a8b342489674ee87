// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

// Where both programs find the files they ship with (translations, the meter table): beside the
// program in a build tree, in ../share/lumivex relative to the program once installed. Nothing
// depends on the prefix given at configure time, so an installed tree can be moved.
namespace DataPaths {

// The program's own folder, then <program folder>/../share/lumivex.
QStringList folders();

// The first existing fileName in folders(), or an empty text.
QString find(const QString &fileName);

// Translations are looked for in the working directory first (an empty folder), then in folders().
QStringList translationFolders();

} // namespace DataPaths
