// The spectral session: one spectrum at a time from the instrument, and its record list.
#include "SessionRig.h"

#include <QSignalSpy>

namespace {

using Model = SpectralRecordModel;

QStringList column(const Model &model, int c)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r)
        texts << model.index(r, c).data().toString();
    return texts;
}

// A faulty reply adds nothing and keeps the link; nothing is sent past a thousand records.
TEST(SpectralMeasurement, TakesOneSpectrumUnderTheLockUpToAThousand)
{
    SessionRig rig;
    rig.replug();
    rig.sim.injectFault(SimFault::BadFrameCheck);
    EXPECT_EQ(shown(rig.spectral.measure()), "Error / Failed to read data information!");
    EXPECT_EQ(rig.spectral.records().count(), 0);
    EXPECT_TRUE(rig.lockIsFree());
    SimSpectrum next;
    for (int i = 0; i < 31; ++i)
        next[i] = 10.25 + i;
    next[0] = 655.35; // raw 0xFFFF
    rig.sim.setNextSpectrum(next);
    EXPECT_EQ(shown(rig.spectral.measure()), "");
    const Model &model = rig.spectral.records();
    EXPECT_EQ(column(model, 2) + column(model, 32) + column(model, 1),
              (QStringList{"400nm", "655.35", "700nm", "40.25", "Name", "spec1"}));
    EXPECT_TRUE(rig.lockIsFree());

    rig.spectral.records().append(QList<SpectralRecord>(998), {});
    EXPECT_EQ(shown(rig.spectral.measure()), "");
    EXPECT_EQ(rig.spectral.records().count(), 1000);
    rig.sim.clearRequestLog();
    EXPECT_EQ(shown(rig.spectral.measure()),
              "Error / Measurement exceeds the maximum quantity, please save the excel file before measuring!");
    EXPECT_EQ(rig.spectral.records().count(), 1000);
    EXPECT_TRUE(rig.sim.requestLog().isEmpty()) << "nothing sent";
}

// Names spec1, spec2 ... are never given twice; numbers are never reused while rows exist.
TEST(SpectralRecords, NamesNumbersAndCurveBoxes)
{
    Model model;
    EXPECT_EQ(model.index(0, 33).data().toString() + model.index(0, 34).data().toString(), QStringLiteral("CurveOperation"));
    SpectralRecord record;
    record.values[0] = 12.3456789;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.append(record);
    model.append({record, record}, {QStringLiteral("mine")});
    EXPECT_EQ(column(model, 1), (QStringList{"Name", "spec1", "mine", "spec2"}));
    ASSERT_EQ(inserted.count(), 2); // below the heading row, exactly the rows that came
    EXPECT_EQ((QList<int>{inserted[0][1].toInt(), inserted[0][2].toInt(), inserted[1][1].toInt(), inserted[1][2].toInt()}),
              (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(model.index(1, 2).data().toString() + model.index(1, 34).data().toString(), QStringLiteral("12.3457Delete"));
    model.remove(1);
    EXPECT_EQ(column(model, 0), (QStringList{"No", "1", "3"}));
    model.clear();
    model.append(record);
    EXPECT_EQ(column(model, 0) + column(model, 1), (QStringList{"No", "1", "Name", "spec3"}));
    // Only the names of records are editable.
    for (const auto &[row, col, editable] : {std::tuple{0, 1, false}, {1, 0, false}, {1, 5, false}, {1, 1, true}}) {
        EXPECT_EQ(bool(model.flags(model.index(row, col)) & Qt::ItemIsEditable), editable) << row << "," << col;
        EXPECT_EQ(model.setData(model.index(row, col), QStringLiteral("renamed")), editable) << row << "," << col;
    }
    EXPECT_EQ(model.name(0), QStringLiteral("renamed"));

    // The heading's box shows or hides all rows' boxes; a row's box only unchecks it.
    model.append(QList<SpectralRecord>(2), {});
    QSignalSpy repaint(&model, &Model::curvesChanged);
    const auto setBox = [&](int row, bool on) {
        model.setData(model.index(row, Model::CurveColumn), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    };
    const auto boxes = [&] {
        QList<bool> on;
        for (int row = 0; row < model.rowCount(); ++row)
            on << (model.index(row, Model::CurveColumn).data(Qt::CheckStateRole).toInt() == Qt::Checked);
        return on;
    };
    EXPECT_TRUE(model.flags(model.index(2, Model::CurveColumn)) & Qt::ItemIsUserCheckable);
    setBox(2, false);
    EXPECT_EQ(boxes(), (QList<bool>{false, true, false, true}));
    setBox(2, true);
    EXPECT_EQ(boxes(), (QList<bool>{false, true, true, true})) << "checking a row never re-checks the heading's box";
    setBox(0, false);
    EXPECT_EQ(boxes(), (QList<bool>{false, false, false, false}));
    setBox(0, true);
    EXPECT_EQ(boxes(), (QList<bool>{true, true, true, true}));
    EXPECT_EQ(repaint.count(), 4);
}

} // namespace
