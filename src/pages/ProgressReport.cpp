#include "ProgressReport.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

constexpr qint64 ShowIntervalMs = 50;

} // namespace

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
    // The bar repaints at once on every new value, which costs more than a downloaded block;
    // a few values a second are all the eye follows. The first and the last are always shown.
    if (!sinceShown_.isValid() || sinceShown_.elapsed() >= ShowIntervalMs || done >= total) {
        dialog_->setMaximum(total);
        dialog_->setValue(done);
        sinceShown_.start();
    }
    // The only moment a cancel click can land; the session keeps its link lock meanwhile.
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}
