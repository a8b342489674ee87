#pragma once

#include <QString>
#include <functional>

class QWidget;

// The pages ask for file names through here, so tests can answer instead of a person.
namespace FileChooser {

struct Request
{
    bool save = false;
    QString caption;
    QString proposed; // proposed name or start directory
    QString filters;  // ";;"-separated, the first one selected
    QString *selectedFilter = nullptr; // save dialogs: receives the filter the user left selected
};

using Answer = std::function<QString(const Request &)>;

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filters,
                     QString *selectedFilter = nullptr);
QString openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filters);
// Where to export a list: proposes prefix + "yyyyMMddhhmm"; a name without .xls, .xlsx or .csv gets
// the suffix of the filter left selected. Empty when the user cancelled.
QString workbookTarget(QWidget *parent, const QString &caption, const QString &prefix, const QString &filters);

// Replaces the dialogs until reset with an empty Answer.
void setAnswer(Answer answer);

} // namespace FileChooser
