#include "ProgressReport.h"

#include <QCoreApplication>
#include <QProgressDialog>

ProgressReport::ProgressReport(QWidget *parent, const QString &label, const QString &cancelText)
    : parent_(parent), label_(label), cancelText_(cancelText)
{
}

ProgressReport::~ProgressReport() = default;

Progress ProgressReport::callback()
{
    return [this](int done, int total) { return report(done, total); };
}

bool ProgressReport::report(int done, int total)
{
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(label_, cancelText_, 0, total, parent_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->show();
    }
    dialog_->setMaximum(total);
    dialog_->setValue(done);
    // The only moment a cancel click can land; the session keeps its link lock meanwhile.
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}
