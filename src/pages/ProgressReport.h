#pragma once

#include "Outcome.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

// A window-modal progress dialog for a session's long work, made when the work first reports.
// Its cancel button makes the callback answer false.
class ProgressReport
{
public:
    ProgressReport(QWidget *parent, const QString &label, const QString &cancelText);
    ~ProgressReport();

    Progress callback();

private:
    bool report(int done, int total);

    QWidget *parent_;
    QString label_;
    QString cancelText_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceShown_; // since the bar last showed a value
};
