#include "AppInit.h"
#include "AppLog.h"
#include "HotplugSource.h"
#include "MainWindow.h"
#include "ProtocolTrace.h"
#include "SessionJournal.h"
#include "SimulatedSession.h"
#include "SingleInstanceGuard.h"
#include "Theme.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
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
    QString trace; // empty: no protocol trace
};

// The options of the window program; parsed twice: once before any application exists, so that
// --help and --version answer without a display, then for real once the QApplication exists.
class Options
{
public:
    Options()
    {
        parser_.setApplicationDescription(QStringLiteral("Lumivex: companion for TQ310/TQ320 haze, transmittance and colour meters."));
        parser_.addHelpOption();
        parser_.addVersionOption();
        parser_.addOptions({simulate_, records_, spectra_, unplugged_, trace_});
    }

    // Prints the help or the version and exits when either is asked for; a QCoreApplication
    // is all they need.
    void answerHelpOrVersion(int argc, char **argv)
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        arguments = withSimulateDefault(arguments);
        if (!parser_.parse(arguments))
            return; // the real parse reports the error
        const QStringList answered{QStringLiteral("version"), QStringLiteral("help"), QStringLiteral("help-all")};
        if (std::none_of(answered.begin(), answered.end(), [this](const QString &o) { return parser_.isSet(o); }))
            return;
        QCoreApplication core(argc, argv);
        parser_.process(arguments); // prints and exits
    }

    CommandLine process(const QApplication &app)
    {
        parser_.process(withSimulateDefault(app.arguments()));
        CommandLine line;
        line.simulate = parser_.isSet(simulate_);
        line.simulation.profile = parser_.value(simulate_);
        line.simulation.recordsPerKind = parser_.value(records_).toInt();
        line.simulation.spectra = parser_.value(spectra_).toInt();
        line.simulation.startUnplugged = parser_.isSet(unplugged_);
        line.trace = parser_.value(trace_);
        return line;
    }

private:
    QCommandLineParser parser_;
    const QCommandLineOption simulate_{
        QStringLiteral("simulate"),
        QStringLiteral("Use a simulated meter instead of USB: %1 (default tq310).").arg(SimulatedSession::profileNames()),
        QStringLiteral("meter")};
    const QCommandLineOption records_{QStringLiteral("sim-records"),
                                      QStringLiteral("Comparison records stored per result kind in the simulated meter (default 12)."),
                                      QStringLiteral("n"), QStringLiteral("12")};
    const QCommandLineOption spectra_{QStringLiteral("sim-spectra"),
                                      QStringLiteral("Spectra stored in the simulated meter (default 8, at most 100)."),
                                      QStringLiteral("n"), QStringLiteral("8")};
    const QCommandLineOption unplugged_{QStringLiteral("sim-unplugged"),
                                        QStringLiteral("Start with the simulated meter unplugged (F6 plugs it in).")};
    const QCommandLineOption trace_{QStringLiteral("trace"),
                                    QStringLiteral("Write every report and frame to and from the meter to this file."),
                                    QStringLiteral("file")};
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Lumivex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMIVEX_VERSION));
    Options options;
    options.answerHelpOrVersion(argc, argv);
    QApplication app(argc, argv);
    const CommandLine commandLine = options.process(app);

    // One instance per user; tests give their instances a key of their own.
    const QString instanceKey = qEnvironmentVariable(
        "LUMIVEX_INSTANCE_KEY", QStringLiteral("lumivex-%1").arg(qEnvironmentVariable("USER", QStringLiteral("user"))));
    SingleInstanceGuard guard(instanceKey);
    if (guard.isRunning()) {
        guard.sendMessage(QStringLiteral("active!!!!!"), 5000);
        QMessageBox::warning(nullptr, QObject::tr("Warn"), QObject::tr("Device already opened!"), QMessageBox::Ok);
        return 0;
    }

    // Qt 6 reads and writes 8-bit text in the locale's encoding: there are no codecs left to set.
    Theme::applyTheme(app);
    Theme::applyFont(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/image/lumivex.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.lumivex.Lumivex"));
    AppInit::Instance()->start();

    QString traceError;
    if (!commandLine.trace.isEmpty() && !ProtocolTrace::start(commandLine.trace, &traceError)) {
        std::fprintf(stderr, "lumivex: %s: %s\n", qPrintable(commandLine.trace), qPrintable(traceError));
        return 1;
    }

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
        qCDebug(lumivexApp) << "注册失败";
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
