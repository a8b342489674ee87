// The test report of one record, opened from its "Report" button.
#include "FirstPageFor310.h"

#include "ColourDifference.h"
#include "DeviceProfile.h"
#include "ReportPageFor310.h"

#include <QCoreApplication>

namespace {

// The record's values of the quantities a report shows.
ReportValues reportValues(const ComparisonRecord &record, int firstColumn, int resultKind)
{
    const auto value = [&](int quantity) { return parseValueText(record.text(firstColumn + quantity)); };
    ReportValues values;
    values.haze = value(Quantity::Haze);
    values.transmittance = value(Quantity::Transmittance);
    // Under L*C*h the record list shows the lightness of that triple.
    values.L = value(resultKind == ResultLCh ? Quantity::LchL : Quantity::L);
    values.a = value(Quantity::A);
    values.b = value(Quantity::B);
    values.C = value(Quantity::C);
    values.h = value(Quantity::H);
    values.Y = value(Quantity::Y);
    values.x = value(Quantity::X);
    values.y = value(Quantity::SmallY);
    return values;
}

ReportInputs reportInputs(const ComparisonRecord &record, const ComparisonPageState &state)
{
    using namespace RecordColumn;
    ReportInputs in;
    in.sampleName = record.text(Name);
    in.testTime = record.text(Time);
    in.device = record.text(Model);
    in.serialNumber = record.text(SerialNumber);
    const int kind = state.resultKind();
    in.standard = reportValues(record, StandardFirst, kind);
    in.sample = reportValues(record, SampleFirst, kind);
    // Judging again leaves bare numbers in the tolerance columns; the report shows them signed.
    in.hazeTolerance = ComparisonRecord::toleranceText(record.text(HazeTolerance));
    in.transmittanceTolerance = ComparisonRecord::toleranceText(record.text(TransmittanceTolerance));
    in.threshold = record.text(Threshold);
    in.deltaE = parseValueText(record.text(DeltaE));
    in.result = record.text(Result);
    in.resultKinds = state.judgement.resultKinds;
    in.deviceType = state.judgement.deviceType;
    if (const DeviceProfile *profile = deviceProfile(in.deviceType); profile && profile->usesInstrumentFormula)
        in.formulaName = QCoreApplication::translate("Colorimeter", formulaName(state.judgement.formula).toUtf8());
    return in;
}

} // namespace

void FirstPageFor310::on_ReportBtn_clicked()
{
    const int row = recordRowOf(sender(), RecordColumn::ReportButton);
    if (row < 0)
        return;
    emit reportRequested(row);
    ReportInputs inputs = reportInputs(records_.at(row), state_);
    inputs.company = reportSignatures_.company;
    inputs.tester = reportSignatures_.tester;
    inputs.auditor = reportSignatures_.auditor;
    auto *report = new ReportPageFor310(inputs, this);
    connect(report, &ReportPageFor310::informationChanged, this,
            [this](const QString &company, const QString &tester, const QString &auditor) {
                reportSignatures_ = {company, tester, auditor};
            });
    report->show();
    report->raise();
    report->activateWindow();
}
