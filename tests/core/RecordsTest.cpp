// The comparison record list: counters on removal, what views see, report inputs; session texts in Chinese.
#include "SessionRig.h"

#include "ReportDocument.h"

#include <QColor>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTranslator>

namespace {

using namespace RecordColumn;
using R = RecordResult;

// Judged records are counted before they are added; imported ones (appendCounting) as they are added.
void add(ComparisonRecordModel &model, R result, const QString &name = {})
{
    RecordFields f = fieldsOf(name, 10, 10.25, result);
    if (result == R::Unknown) {
        model.appendCounting({ComparisonRecord::fromFields(f)});
        return;
    }
    f.number = model.countResult(result == R::Pass);
    model.append(ComparisonRecord::fromFields(f));
}

TEST(RecordModel, RemovalTakesTheRecordOffItsCounter)
{
    const struct
    {
        std::vector<R> results;
        int row;
        bool removed;
        std::array<unsigned, 3> counters; // unqualified, qualified, total
    } cases[] = {{{R::Pass, R::Ng, R::Pass}, 1, true, {0, 2, 2}},
                 {{R::Pass, R::Ng, R::Pass}, 2, true, {1, 1, 2}},
                 {{R::Pass, R::Unknown}, 1, true, {0, 1, 1}}, // never counted
                 {{R::Ng}, 1, false, {1, 0, 1}},
                 {{R::Ng}, -1, false, {1, 0, 1}}};
    for (const auto &c : cases) {
        ComparisonRecordModel model;
        for (R result : c.results)
            add(model, result);
        EXPECT_EQ(model.remove(c.row), c.removed);
        EXPECT_EQ(countsOf(model.counters()), c.counters);
        EXPECT_EQ(model.rowCount(), int(c.results.size()) - (c.removed ? 1 : 0));
    }
}

TEST(RecordModel, ViewsSeeButtonTextsResultColoursAndAFixedTime)
{
    ComparisonRecordModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    add(model, R::Pass);
    add(model, R::Ng);
    model.append(QList<ComparisonRecord>(2));
    // Views are told exactly which rows came.
    ASSERT_EQ(inserted.count(), 3);
    EXPECT_EQ((QList<int>{inserted[1][1].toInt(), inserted[1][2].toInt(), inserted[2][1].toInt(), inserted[2][2].toInt()}),
              (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(model.index(1, Number).data().toString() + model.index(0, DeleteButton).data().toString() +
                  model.index(0, ReportButton).data().toString(),
              QStringLiteral("2DeleteReport"));
    EXPECT_EQ(model.index(0, Result).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
    EXPECT_EQ(model.index(1, Result).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model.index(2, Result).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.index(0, Time).flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, Time), QStringLiteral("x")));
}

TEST(ReportInputs, CarryTheRecordOfTheirRow)
{
    LinkPort port;
    ComparisonSession session(port);
    session.records().append(ComparisonRecord::fromFields(fieldsOf(QStringLiteral("Comp1"), 10, 10.25, R::Pass)));
    session.records().append(ComparisonRecord::fromFields(fieldsOf(QStringLiteral("Film B"), 12.5, 13.75, R::Ng)));
    const ReportInputs in = session.reportInputs(1);
    EXPECT_EQ((QStringList{in.sampleName, in.testTime, in.device, in.serialNumber, in.result}),
              (QStringList{"Film B", "2026/12/06  21:15", "TQ320", "23200118", "NG"}));
    EXPECT_EQ((QStringList{in.hazeTolerance, in.transmittanceTolerance, in.threshold}),
              (QStringList{"±0.50%", "±1.00%", "2.0"}));
    EXPECT_EQ((std::array{in.standard.haze, in.sample.haze, in.standard.transmittance, in.standard.L, in.sample.L,
                          in.standard.b, in.standard.h, in.standard.x, in.deltaE}),
              (std::array{12.5, 13.75, 88.5, 50.25, 51.75, -3.25, 342.8, 0.3127, 1.5}));
    EXPECT_EQ(in.resultKind(), int(ResultHazeT));
    EXPECT_TRUE(in.formulaName.isEmpty());

    // Type 1 names the formula in force; under L*C*h the lightness is that triple's.
    session.state().judgement.deviceType = 1;
    session.state().judgement.formula = DeltaE00;
    session.state().setResultKind(ResultLCh);
    const ReportInputs lch = session.reportInputs(0);
    EXPECT_EQ(lch.formulaName, QStringLiteral("△E*00"));
    EXPECT_EQ(lch.resultKind(), int(ResultLCh));
    EXPECT_EQ(lch.deviceType, 1);
    EXPECT_DOUBLE_EQ(lch.standard.L, 50.75);
}

// Moved code keeps its translation contexts: the texts still come out in Chinese.
TEST(Translation, SessionTextsSpeakChinese)
{
    QTranslator chinese;
    ASSERT_TRUE(chinese.load(QStringLiteral(LUMIVEX_BINARY_DIR "/Lumivex_zh.qm")));
    SessionRig rig(profileNamed("tq320"));
    rig.connect();
    QCoreApplication::installTranslator(&chinese);
    const auto restore = qScopeGuard([&] { QCoreApplication::removeTranslator(&chinese); });
    rig.session.setLanguageFlag(1);
    EXPECT_EQ(shown(rig.spectral.exportTo(QStringLiteral("unused.xls"))), "错误 / 没有可存储到Excel的数据！");
    EXPECT_EQ(shown(rig.session.uploadColourCards(QStringLiteral(LUMIVEX_SOURCE_DIR "/data/StdColor.xlsx"), {})),
              "提示 / 写入标准色卡库成功！");
    // Five columns are too narrow for a comparison workbook.
    EXPECT_EQ(shown(rig.session.importFrom(QStringLiteral(LUMIVEX_SOURCE_DIR "/data/StdColor.xlsx"))),
              "错误： / 读取excel文件失败！（第1行）");
    rig.disconnect();
    EXPECT_EQ(shown(rig.session.measure(MeasureStandard)), "错误 / 请先连接设备！");
}

} // namespace
