#include "FileChooser.h"

#include "WorkbookSave.h"

#include <QDateTime>
#include <QFileDialog>

namespace FileChooser {
namespace {
Answer &override()
{
    static Answer answer;
    return answer;
}
} // namespace

void setAnswer(Answer answer)
{
    override() = std::move(answer);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filters,
                     QString *selectedFilter)
{
    if (selectedFilter)
        *selectedFilter = filters.section(QStringLiteral(";;"), 0, 0);
    if (override())
        return override()({true, caption, proposed, filters, selectedFilter});
    return QFileDialog::getSaveFileName(parent, caption, proposed, filters, selectedFilter);
}

QString openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filters)
{
    if (override())
        return override()({false, caption, directory, filters});
    return QFileDialog::getOpenFileName(parent, caption, directory, filters);
}

QString workbookTarget(QWidget *parent, const QString &caption, const QString &prefix, const QString &filters)
{
    QString selectedFilter;
    const QString proposed = prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmm"));
    const QString answer = saveFileName(parent, caption, proposed, filters, &selectedFilter);
    return answer.isEmpty() ? QString() : withWorkbookSuffix(answer, selectedFilter);
}

} // namespace FileChooser
