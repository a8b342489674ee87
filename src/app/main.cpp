#include "AppInit.h"
#include "HotplugSource.h"
#include "MainWindow.h"
#include "SessionJournal.h"
#include "SimulatedSession.h"
#include "SingleInstanceGuard.h"
#include "Theme.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTextCodec>
#include <cstdio>

namespace {

// QCommandLineParser has no optional values: a bare --simulate means the default meter.
QStringList withSimulateDefault(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument == u"--simulate")
            argument = QStringLiteral("--simulate=tq310");
    }
    return arguments;
}

struct CommandLine
{
    bool simulate = false;
    SimulatedSession::Options simulation;
};

CommandLine parseCommandLine(const QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lumivex: companion for TQ310/TQ320 haze, transmittance and colour meters."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Use a simulated meter instead of USB: %1 (default tq310).").arg(SimulatedSession::profileNames()),
        QStringLiteral("meter"));
    const QCommandLineOption records(QStringLiteral("sim-records"),
                                     QStringLiteral("Comparison records stored per result kind in the simulated meter (default 12)."),
                                     QStringLiteral("n"), QStringLiteral("12"));
    const QCommandLineOption spectra(QStringLiteral("sim-spectra"),
                                     QStringLiteral("Spectra stored in the simulated meter (default 8, at most 100)."),
                                     QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption unplugged(QStringLiteral("sim-unplugged"),
                                       QStringLiteral("Start with the simulated meter unplugged (F6 plugs it in)."));
    parser.addOptions({simulate, records, spectra, unplugged});
    parser.process(withSimulateDefault(app.arguments()));

    CommandLine line;
    line.simulate = parser.isSet(simulate);
    line.simulation.profile = parser.value(simulate);
    line.simulation.recordsPerKind = parser.value(records).toInt();
    line.simulation.spectra = parser.value(spectra).toInt();
    line.simulation.startUnplugged = parser.isSet(unplugged);
    return line;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivex"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVEX_VERSION));
    const CommandLine commandLine = parseCommandLine(app);

    // One instance per user; tests give their instances a key of their own.
    const QString instanceKey = qEnvironmentVariable(
        "LUMIVEX_INSTANCE_KEY", QStringLiteral("lumivex-%1").arg(qEnvironmentVariable("USER", QStringLiteral("user"))));
    SingleInstanceGuard guard(instanceKey);
    if (guard.isRunning()) {
        guard.sendMessage(QStringLiteral("active!!!!!"), 5000);
        QMessageBox::warning(nullptr, QObject::tr("Warn"), QObject::tr("Device already opened!"), QMessageBox::Ok);
        return 0;
    }

    // Qt 6 reads and writes 8-bit text in the locale's encoding; only that codec remains to set.
    QTextCodec::setCodecForLocale(QTextCodec::codecForLocale());

    Theme::applyTheme(app);
    Theme::applyFont(app);
    AppInit::Instance()->start();

    std::unique_ptr<SimulatedSession> simulation;
    std::unique_ptr<HotplugSource> udev;
    if (commandLine.simulate) {
        QString error;
        simulation = SimulatedSession::create(commandLine.simulation, &error);
        if (!simulation) {
            std::fprintf(stderr, "lumivex: %s\n", qPrintable(error));
            return 2;
        }
    }

    MainWindow *window = MainWindow::instance();
    if (simulation) {
        window->setHotplugSource(simulation.get());
        simulation->addShortcuts(window);
    } else if ((udev = createUdevHotplugSource(MainWindow::VendorId, MainWindow::ProductId))) {
        window->setHotplugSource(udev.get());
    } else {
        qDebug() << "注册失败";
    }
    window->setWindowTitle(QStringLiteral("Lumivex V1.4"));
    // Without a window manager to maximise it, the window still covers the screen.
    window->setGeometry(window->screen()->availableGeometry());
    window->setWindowState(Qt::WindowMaximized);
    window->show();
    window->keepJournal(SessionJournal::defaultPath(instanceKey));
    // The instrument is opened once the event loop has put the window on screen.
    QTimer::singleShot(0, window, &MainWindow::start);
    QObject::connect(&guard, &SingleInstanceGuard::messageReceived, window, &MainWindow::handleAppMessage);
    return app.exec();
}
