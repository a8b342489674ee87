#include "HotplugSource.h"
#include "InstrumentRig.h"
#include "MainWindow.h"
#include "SingleInstanceGuard.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// Arrivals and removals as the udev monitor would report them.
class FakeHotplug : public HotplugSource
{
public:
    void arrive() { emit deviceArrived(); }
    void remove() { emit deviceRemoved(); }
};

bool lampShows(const MainWindow &window, const char *image)
{
    const auto *lamp = window.findChild<QLabel *>(QStringLiteral("LinkStatusLabel"));
    return !lamp->pixmap().isNull() && lamp->pixmap().toImage() == QPixmap(QString::fromLatin1(image)).toImage();
}

} // namespace

TEST(MainWindow, LampFollowsThePluggedInstrumentOnly)
{
    InstrumentRig rig;
    FakeHotplug hotplug;
    rig.instrument->unplug();
    MainWindow window;
    window.setHotplugSource(&hotplug);
    hotplug.arrive(); // an unrelated device while none is open: one silent attempt
    EXPECT_FALSE(window.isDeviceOpen());
    EXPECT_TRUE(lampShows(window, ":/image/led_off.png"));
    EXPECT_TRUE(rig.catcher.seen().isEmpty());

    rig.instrument->plug();
    hotplug.arrive();
    EXPECT_TRUE(window.isDeviceOpen());
    EXPECT_TRUE(lampShows(window, ":/image/led_on.png"));
    const auto link = window.linkPort().current();
    hotplug.arrive(); // another device while connected: nothing happens
    hotplug.remove(); // another device removed: the meter still answers
    EXPECT_EQ(window.linkPort().current(), link);

    rig.instrument->unplug();
    hotplug.remove();
    EXPECT_FALSE(window.isDeviceOpen());
    EXPECT_EQ(window.linkPort().current(), nullptr);
    EXPECT_TRUE(lampShows(window, ":/image/led_off.png"));
    EXPECT_TRUE(window.findChild<QLineEdit *>(QStringLiteral("lineEdit_serialNo"))->text().isEmpty());
    rig.instrument->plug();
    hotplug.arrive();
    EXPECT_TRUE(window.isDeviceOpen()) << "plugged again";
}

TEST(Program, SecondStartHandsOverToTheFirstAndExits)
{
    const QString program = QStringLiteral(LUMIVEX_BINARY_DIR "/lumivex");
    const QString key = QStringLiteral("lumivex-test-%1").arg(QCoreApplication::applicationPid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMIVEX_INSTANCE_KEY"), key);
    // The hand-over is a debug line of the program, silent unless asked for.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lumivex.app.debug=true"));
    const QStringList arguments{QStringLiteral("--simulate"), QStringLiteral("--sim-unplugged")};
    QProcess first, second;
    for (QProcess *p : {&first, &second}) {
        p->setProcessEnvironment(environment);
        p->setWorkingDirectory(QStringLiteral(LUMIVEX_BINARY_DIR));
    }
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(program, arguments);
    ASSERT_TRUE(first.waitForStarted());
    // The first start holds the instance lock before it listens for a second one.
    const QString lock = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' + key + ".lock";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 10000));

    second.start(program, arguments);
    ASSERT_TRUE(second.waitForStarted());
    // The second start tells the first and then waits on its "Device already opened!" box.
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (said += first.readAll()).contains("active!!!!!"); }, 20000))
        << said.toStdString();
    for (QProcess *p : {&second, &first}) {
        p->kill();
        p->waitForFinished();
    }
}

// A crashed instance's lock does not block the next start; the message handed over is checked above.
TEST(SingleInstanceGuard, StaleLockIsTakenOverAndASecondInstanceFindsTheFirst)
{
    const QString key = QStringLiteral("lumivex-test-") + QUuid::createUuid().toString(QUuid::Id128);
    // A lock file naming a process that no longer exists, as a crash leaves it.
    QFile stale(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' + key + ".lock");
    ASSERT_TRUE(stale.open(QFile::WriteOnly));
    stale.write("999999\nlumivex\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstanceGuard first(key);
    ASSERT_FALSE(first.isRunning());
    EXPECT_FALSE(first.sendMessage(QStringLiteral("active!!!!!"), 100)); // nobody to tell
    EXPECT_TRUE(SingleInstanceGuard(key).isRunning());
}
