// Connection reads and the settings the page writes, against the simulated instrument.
#include "MeasurementRig.h"

#include "ModalCatcher.h"
#include "setEParameterPageFor320.h"

#include <QApplication>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using Seen = ModalCatcher::Seen;

const Seen ReadSuccessful{"Information", "Read successful!"};

SimProfile profileNamed(const char *name)
{
    return *SimProfile::byName(QLatin1String(name));
}

// Data bytes of a write request: after the 8-byte header, before data check and frame check.
QByteArray writeData(const QByteArray &frame)
{
    return frame.mid(8, frame.size() - 12);
}

// ---- connection

struct ConnectCase
{
    const char *profile;
    int displayParam;
    const char *stackedPage;
    const char *spectralText;
    QList<Seen> messages;
};

class ConnectReads : public ::testing::TestWithParam<ConnectCase>
{
};

TEST_P(ConnectReads, ShowsIdentityAndSettings)
{
    const ConnectCase &c = GetParam();
    SimProfile profile = profileNamed(c.profile);
    profile.displayParam = c.displayParam;
    MeasurementRig rig(profile);
    rig.sim.setTolerance(150, 275, 35);
    rig.sim.setDeltaEParam(5, 12);
    ModalCatcher catcher;
    rig.page->readDeviceSettings();

    EXPECT_EQ(catcher.seen(), c.messages);
    EXPECT_EQ(rig.text("lineEdit_serialNo"), QString::number(profile.serialNumber));
    EXPECT_EQ(rig.text("lineEdit_firmwareVersion"), QString::number(profile.firmwareVersion));
    EXPECT_EQ(rig.child<QStackedWidget>("stackedWidget")->currentWidget()->objectName(), QLatin1String(c.stackedPage));
    EXPECT_EQ(rig.child<QPushButton>("pushButton_spectralTransmittance")->text(), QLatin1String(c.spectralText));
    const ComparisonPageState &state = rig.page->state();
    EXPECT_EQ(state.modelName, profile.model);
    EXPECT_EQ(state.judgement.deviceType, profile.deviceType);
    EXPECT_EQ(state.resultKind(), c.displayParam);
    const char *const radios[] = {"radioButton_hazeT", "radioButton_haze", "radioButton_t",
                                  "radioButton_Lab",   "radioButton_LCh",  "radioButton_Yxy"};
    EXPECT_TRUE(rig.child<QRadioButton>(radios[c.displayParam])->isChecked());
    if (profile.deviceType == 0) {
        EXPECT_EQ(rig.text("lineEdit_hazeTolerance"), QStringLiteral("1.50"));
        EXPECT_EQ(rig.text("lineEdit_tTolerance"), QStringLiteral("2.75"));
        EXPECT_EQ(rig.text("lineEdit_eThresholds"), QStringLiteral("3.5"));
        EXPECT_DOUBLE_EQ(state.judgement.workingThreshold, 3.5);
    } else {
        EXPECT_EQ(rig.text("lineEdit_formula"), QStringLiteral("△E*00"));
        EXPECT_EQ(rig.text("lineEdit_thresholds"), QStringLiteral("1.2"));
        EXPECT_EQ(state.judgement.formula, 5);
        EXPECT_DOUBLE_EQ(state.judgement.workingThreshold, 1.2);
    }
    EXPECT_TRUE(rig.lockIsFree());
}

INSTANTIATE_TEST_SUITE_P(
    DeviceTypes, ConnectReads,
    ::testing::Values(ConnectCase{"tq310", 2, "page_tolerance", "Spectral transmittance", {ReadSuccessful}},
                      // Older meters do not know the device-information command.
                      ConnectCase{"legacy", 5, "page_tolerance", "Spectral transmittance", {ReadSuccessful}},
                      ConnectCase{"tq320", 4, "page_eParameter", "Spectral reflectance", {}},
                      ConnectCase{"tq320e", 3, "page_eParameter", "Spectral reflectance", {}}));

struct ConnectFailure
{
    const char *name;
    SimProfile profile;
    std::function<void(SimulatedInstrument &)> fault;
    QList<Seen> messages;
    bool firmwareShown;
};

class ConnectFailures : public ::testing::TestWithParam<ConnectFailure>
{
};

TEST_P(ConnectFailures, ReportWithTheirMessages)
{
    const ConnectFailure &c = GetParam();
    MeasurementRig rig(c.profile);
    c.fault(rig.sim);
    ModalCatcher catcher;
    rig.page->readDeviceSettings();
    EXPECT_EQ(catcher.seen(), c.messages);
    EXPECT_EQ(!rig.text("lineEdit_firmwareVersion").isEmpty(), c.firmwareShown);
    EXPECT_TRUE(rig.lockIsFree());
}

SimProfile withMeterNumber(quint32 meterNumber)
{
    SimProfile profile;
    profile.meterNumber = meterNumber;
    return profile;
}

SimProfile withDisplayParam(const char *name, int displayParam)
{
    SimProfile profile = profileNamed(name);
    profile.displayParam = displayParam;
    return profile;
}

const Seen DisplayParamFailed{"Error", "Failed to read DisplayParam!"};
const auto NoFault = [](SimulatedInstrument &) {};

INSTANTIATE_TEST_SUITE_P(
    Faults, ConnectFailures,
    ::testing::Values(
        ConnectFailure{"InfoRefused", {}, [](SimulatedInstrument &s) { s.injectFault(SimFault::WrongEcho); },
                       {{"Warn", "Read key infomation fail!"}, ReadSuccessful}, false},
        // The older command is the second request; the meter is pulled as it arrives.
        ConnectFailure{"FallbackFails", profileNamed("legacy"), [](SimulatedInstrument &s) { s.unplugAfterRequests(1); },
                       {{"Error", "Failed to read device information!"}, {"Error", "Failed to Read Tolerance information!"}},
                       false},
        ConnectFailure{"UnknownMeter", withMeterNumber(999), NoFault, {{"Error", "Read MeterNo Fail!"}, ReadSuccessful},
                       false},
        ConnectFailure{"YxyOnType1", withDisplayParam("tq320", 5), NoFault, {DisplayParamFailed}, true},
        ConnectFailure{"LChOnType2", withDisplayParam("tq320e", 4), NoFault, {DisplayParamFailed}, true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- tolerance

TEST(SetTolerance, SendsRoundedWireValuesAndKeepsThem)
{
    MeasurementRig rig;
    rig.readSettings();
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    // Bounds are accepted; 0.29 and 0.7 must not be truncated to 28 and 6.
    rig.type("lineEdit_hazeTolerance", QStringLiteral("0.29"));
    rig.type("lineEdit_tTolerance", QStringLiteral("100"));
    rig.type("lineEdit_eThresholds", QStringLiteral("0.7"));
    rig.click("pushButton_setTolerance");
    EXPECT_EQ(catcher.seen(), (QList<Seen>{{"Information", "Setup successfully!"}}));
    EXPECT_EQ(rig.sim.tolerance(), (std::array<int, 3>{29, 10000, 7}));
    ASSERT_EQ(rig.writes().size(), 1);
    EXPECT_EQ(writeData(rig.writes()[0]), QByteArray::fromHex("1d0010270700"));
    const JudgementSettings &judgement = rig.page->state().judgement;
    EXPECT_DOUBLE_EQ(judgement.hazeTolerance, 0.29);
    EXPECT_DOUBLE_EQ(judgement.transmittanceTolerance, 100);
    EXPECT_DOUBLE_EQ(judgement.workingThreshold, 0.7);
    EXPECT_TRUE(rig.lockIsFree());

    rig.type("lineEdit_eThresholds", QStringLiteral("0.1"));
    rig.click("pushButton_setTolerance");
    EXPECT_EQ(rig.sim.tolerance()[2], 1);
}

struct RefusedTolerance
{
    const char *haze, *transmittance, *threshold, *message;
};

class ToleranceRefused : public ::testing::TestWithParam<RefusedTolerance>
{
};

TEST_P(ToleranceRefused, ShowsTheFirstFieldsRangeAndSendsNothing)
{
    const RefusedTolerance &c = GetParam();
    MeasurementRig rig;
    rig.readSettings();
    const auto before = rig.sim.tolerance();
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    rig.type("lineEdit_hazeTolerance", QString::fromUtf8(c.haze));
    rig.type("lineEdit_tTolerance", QString::fromUtf8(c.transmittance));
    rig.type("lineEdit_eThresholds", QString::fromUtf8(c.threshold));
    rig.click("pushButton_setTolerance");
    EXPECT_EQ(catcher.seen(), (QList<Seen>{{"information", QString::fromUtf8(c.message)}}));
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
    EXPECT_EQ(rig.sim.tolerance(), before);
    EXPECT_DOUBLE_EQ(rig.page->state().judgement.hazeTolerance, before[0] / 100.0);
}

const char *const HazeRange = "Haze Tolerance must between 0-100!";
const char *const TRange = "Transmittance  Tolerance must between 0-100!";
const char *const ThresholdRange = "Thresholds must between 0.1-50!";

INSTANTIATE_TEST_SUITE_P(Fields, ToleranceRefused,
                         ::testing::Values(RefusedTolerance{"100.01", "1", "1", HazeRange},
                                           RefusedTolerance{"-0.01", "1", "1", HazeRange},
                                           RefusedTolerance{"", "1", "1", HazeRange},
                                           RefusedTolerance{"abc", "1", "1", HazeRange},
                                           RefusedTolerance{"200", "1", "0", HazeRange}, // only the first
                                           RefusedTolerance{"1", "100.5", "1", TRange},
                                           RefusedTolerance{"1", " ", "1", TRange},
                                           RefusedTolerance{"1", "1", "0.09", ThresholdRange},
                                           RefusedTolerance{"1", "1", "50.01", ThresholdRange},
                                           RefusedTolerance{"1", "1", "nan", ThresholdRange}));

TEST(SetTolerance, FailedWriteKeepsTheOldSettingsAndTheLinkUsable)
{
    MeasurementRig rig;
    rig.readSettings();
    const JudgementSettings before = rig.page->state().judgement;
    ModalCatcher catcher;
    rig.type("lineEdit_hazeTolerance", QStringLiteral("9"));
    rig.sim.injectFault(SimFault::WrongEcho);
    rig.click("pushButton_setTolerance");
    EXPECT_EQ(catcher.seen(), (QList<Seen>{{"Error", "Failed to Setup  Tolerance information!"}}));
    EXPECT_DOUBLE_EQ(rig.page->state().judgement.hazeTolerance, before.hazeTolerance);
    EXPECT_TRUE(rig.lockIsFree());

    catcher.clear();
    rig.sim.injectFault(SimFault::BadDataCheck);
    EXPECT_EQ(rig.page->on_pushButton_readTolerance_clicked(), -1);
    EXPECT_EQ(catcher.seen(), (QList<Seen>{{"Error", "Failed to Read Tolerance information!"}}));
    EXPECT_DOUBLE_EQ(rig.page->state().judgement.hazeTolerance, before.hazeTolerance);
    EXPECT_EQ(rig.page->on_pushButton_readTolerance_clicked(), 1);
}

// ---- ΔE parameter

TEST(SetParameter, DeviceType2SendsTheThresholdWithDeltaEab)
{
    MeasurementRig rig(profileNamed("tq320e"));
    rig.readSettings();
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    rig.type("lineEdit_thresholds", QStringLiteral("0.7"));
    rig.click("pushButton_setParameter");
    EXPECT_TRUE(catcher.seen().isEmpty()) << catcher.lastText().toStdString();
    EXPECT_EQ(rig.sim.deltaEFormula(), 0);
    EXPECT_EQ(rig.sim.deltaEThreshold(), 7);
    EXPECT_EQ(rig.text("lineEdit_thresholds"), QStringLiteral("0.7"));
    EXPECT_EQ(rig.text("lineEdit_formula"), QStringLiteral("△E*ab"));
    EXPECT_DOUBLE_EQ(rig.page->state().judgement.workingThreshold, 0.7);
}

struct ParameterRefusal
{
    const char *threshold;
    bool chinese;
    std::function<void(SimulatedInstrument &)> fault;
    Seen message;
    bool sent;
};

class SetParameterFailures : public ::testing::TestWithParam<ParameterRefusal>
{
};

TEST_P(SetParameterFailures, ShowTheirMessageInTheLanguageOfThePage)
{
    const ParameterRefusal &c = GetParam();
    MeasurementRig rig(profileNamed("tq320e"));
    rig.readSettings();
    const double before = rig.page->state().judgement.parameterThreshold;
    rig.page->setLanguageFlag(c.chinese ? 1 : 0);
    c.fault(rig.sim);
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    rig.type("lineEdit_thresholds", QString::fromUtf8(c.threshold));
    rig.click("pushButton_setParameter");
    EXPECT_EQ(catcher.seen(), QList<Seen>{c.message});
    EXPECT_EQ(rig.writes().size(), c.sent ? 1 : 0);
    EXPECT_EQ(rig.page->state().judgement.parameterThreshold, before);
    EXPECT_TRUE(rig.lockIsFree());
}

const auto NoWriteFault = [](SimulatedInstrument &) {};
const auto RefuseWrite = [](SimulatedInstrument &s) { s.injectFault(SimFault::WrongEcho); };

INSTANTIATE_TEST_SUITE_P(
    Messages, SetParameterFailures,
    ::testing::Values(ParameterRefusal{"0.09", false, NoWriteFault, {"information", "Thresholds must between 0.1—50!"}, false},
                      ParameterRefusal{"50.1", true, NoWriteFault, {"提示", "阀值必须介于0.1-50之间！"}, false},
                      ParameterRefusal{"", false, NoWriteFault, {"information", "Thresholds must between 0.1—50!"}, false},
                      ParameterRefusal{"5", false, RefuseWrite, {"Error", "Failed to write △E parameter information!"}, true},
                      ParameterRefusal{"5", true, RefuseWrite, {"错误", "写入△E参数信息失败！"}, true}));

// Runs action on the ΔE parameter dialog as soon as it is shown.
void onDialog(std::function<void(QDialog *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->inherits("setEParameterPageFor320"))
            return;
        timer->deleteLater();
        timer->stop();
        action(dialog);
    });
    timer->start();
}

TEST(SetParameter, DialogWritesFormulaAndThresholdThenReadsBack)
{
    MeasurementRig rig(profileNamed("tq320"));
    rig.readSettings();
    QString title;
    onDialog([&title](QDialog *dialog) {
        title = dialog->windowTitle();
        dialog->findChild<QRadioButton *>(QStringLiteral("formulaBtn_2"))->click();
        dialog->findChild<QLineEdit *>(QStringLiteral("ThresholdsEdit"))->setText(QStringLiteral("2.5"));
        dialog->findChild<QPushButton *>(QStringLiteral("Okbtn"))->click();
    });
    rig.click("pushButton_setParameter");
    EXPECT_EQ(title, QStringLiteral("△E parameter Setting"));
    EXPECT_EQ(rig.sim.deltaEFormula(), 2);
    EXPECT_EQ(rig.sim.deltaEThreshold(), 25);
    EXPECT_EQ(rig.text("lineEdit_formula"), QStringLiteral("△E*94"));
    EXPECT_EQ(rig.text("lineEdit_thresholds"), QStringLiteral("2.5"));
    EXPECT_EQ(rig.page->state().judgement.formula, 2);
    EXPECT_TRUE(rig.lockIsFree());
}

TEST(SetParameter, DialogStaysOpenOnARefusedThresholdAndCancelSendsNothing)
{
    MeasurementRig rig(profileNamed("tq320"));
    rig.readSettings();
    rig.sim.clearRequestLog();
    ModalCatcher catcher;
    bool stayedOpen = false;
    onDialog([&stayedOpen](QDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("ThresholdsEdit"))->setText(QStringLiteral("0"));
        dialog->findChild<QPushButton *>(QStringLiteral("Okbtn"))->click();
        stayedOpen = dialog->isVisible();
        dialog->findChild<QPushButton *>(QStringLiteral("Cancelbtn"))->click();
    });
    rig.click("pushButton_setParameter");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(catcher.seen(), (QList<Seen>{{"information", "Thresholds must between 0.1—50!"}}));
    EXPECT_TRUE(rig.sim.requestLog().isEmpty());
}

// ---- display parameter

TEST(SetDisplayParameter, WritesTheCheckedKindAndClearsTheRecordsOnYes)
{
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        MeasurementRig rig;
        rig.readSettings();
        rig.page->appendRecord(RecordFields{});
        rig.sim.clearRequestLog();
        ModalCatcher catcher;
        catcher.answerNext(answer);
        rig.click("radioButton_Lab");
        rig.click("pushButton_setDisplayParameter");
        ASSERT_EQ(catcher.seen().size(), 1);
        EXPECT_EQ(catcher.seen()[0].title, QStringLiteral("Warn"));
        EXPECT_EQ(catcher.seen()[0].text, QStringLiteral("The comparison measurement record list data will be cleared. "
                                                          "Do you want to continue saving the parameter settings?"));
        const bool yes = answer == QMessageBox::Yes;
        EXPECT_EQ(rig.sim.displayParam(), yes ? 3 : 0);
        EXPECT_EQ(rig.writes().size(), yes ? 1 : 0);
        EXPECT_EQ(rig.list()->rowCount(), yes ? 0 : 1);
        EXPECT_EQ(rig.page->state().resultKind(), yes ? ResultLab : ResultHazeT);
        EXPECT_EQ(rig.comparison()->isRowHidden(3), !yes);
    }
}

TEST(SetDisplayParameter, FailedWriteKeepsKindAndRecords)
{
    MeasurementRig rig;
    rig.readSettings();
    rig.page->appendRecord(RecordFields{});
    ModalCatcher catcher;
    rig.sim.injectFault(SimFault::WrongEcho);
    rig.click("radioButton_haze");
    rig.click("pushButton_setDisplayParameter");
    EXPECT_EQ(catcher.lastText(), QStringLiteral("Failed to Setup  DisplayParam information!"));
    EXPECT_EQ(rig.page->state().resultKind(), ResultHazeT);
    EXPECT_EQ(rig.list()->rowCount(), 1);
    EXPECT_TRUE(rig.lockIsFree());
}

// ---- without an instrument

TEST(Settings, EveryActionAsksForTheDeviceFirst)
{
    FirstPageFor310 page;
    for (const char *button : {"pushButton_readTolerance", "pushButton_setTolerance", "pushButton_readParameter",
                               "pushButton_setParameter", "pushButton_setDisplayParameter",
                               "pushButton_standardMeasurement", "pushButton_sampleMeasurement"}) {
        ModalCatcher catcher;
        page.findChild<QPushButton *>(QLatin1String(button))->click();
        EXPECT_EQ(catcher.seen(), (QList<Seen>{{"Error", "Please connect the device first!"}})) << button;
    }
}

} // namespace
