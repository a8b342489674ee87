// SPDX-License-Identifier: Apache-2.0
#include "MeterCommands.h"

#include "ColourDifference.h"
#include "ComparisonSession.h"
#include "Console.h"
#include "DeviceProfile.h"
#include "InstrumentLink.h"
#include "LinkPort.h"
#include "MeterTable.h"
#include "ProtocolTrace.h"
#include "ReportTransport.h"
#include "SimulatedInstrument.h"
#include "SpectralSession.h"

#include <QFileInfo>

#include <memory>
#include <optional>

namespace {


enum class Command { Info, Measure, Records, Spectra };

struct Options
{
    Command command = Command::Info;
    std::optional<QString> simulate; // the simulated meter's name; empty: the default one
    int simulatedRecords = 12;
    int simulatedSpectra = 8;
    QString trace;
    QString output;
    std::optional<int> kind;
};


// Names a script may give for a result kind, in result-kind order; the number works too.
const char *const KindNames[ResultKindCount] = {"haze-t", "haze", "t", "lab", "lch", "yxy"};

// The result kinds as the comparison page names them.
const char *const KindTitles[ResultKindCount] = {
    QT_TRANSLATE_NOOP("FirstPageFor310", "Haze and transmittance"), QT_TRANSLATE_NOOP("FirstPageFor310", "Haze"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "Transmittance"),          QT_TRANSLATE_NOOP("FirstPageFor310", "L*a*b*"),
    QT_TRANSLATE_NOOP("FirstPageFor310", "L*C*h"),                  QT_TRANSLATE_NOOP("FirstPageFor310", "Yxy"),
};

QString pageTr(const char *text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

QString usage(Command command)
{
    const QString common = MeterCommands::tr("  --simulate[=METER]  use a simulated meter instead of USB: tq310 (default), tq320,\n"
                                  "                      tq320e or legacy\n"
                                  "  --sim-records N     comparison records the simulated meter keeps per result kind\n"
                                  "                      (default 12)\n"
                                  "  --sim-spectra N     spectra the simulated meter keeps (default 8)\n"
                                  "  --trace FILE        write every report and frame to and from the meter to FILE\n"
                                  "\n"
                                  "Exit status: 0 success, 1 the meter or a file failed (the message says why),\n"
                                  "2 bad usage.\n");
    switch (command) {
    case Command::Info:
        return MeterCommands::tr("Usage: lumivex-cli info [options]\n"
                      "\n"
                      "Prints the meter's serial number, model, device type, firmware version, result kind\n"
                      "and judgement settings.\n\n")
            + common;
    case Command::Measure:
        return MeterCommands::tr("Usage: lumivex-cli measure [options]\n"
                      "\n"
                      "Takes the meter's result and prints it as the comparison table's column shows it,\n"
                      "one value per line, then the colour as R, G, B.\n\n")
            + common;
    case Command::Records:
        return MeterCommands::tr("Usage: lumivex-cli records [--kind K] -o FILE [options]\n"
                      "\n"
                      "Saves the comparison records the meter keeps for one result kind to FILE, with the\n"
                      "columns of the comparison export; .xlsx, .xls or .csv by the name of FILE.\n"
                      "\n"
                      "  --kind K            0 haze-t, 1 haze, 2 t, 3 lab, 4 lch, 5 yxy (by number or name);\n"
                      "                      default: the kind the meter is set to\n"
                      "  -o, --output FILE   the file to write\n")
            + common;
    case Command::Spectra:
        return MeterCommands::tr("Usage: lumivex-cli spectra -o FILE [options]\n"
                      "\n"
                      "Saves the spectra the meter keeps to FILE, with the columns of the spectral export;\n"
                      ".xlsx, .xls or .csv by the name of FILE.\n"
                      "\n"
                      "  -o, --output FILE   the file to write\n")
            + common;
    }
    return {};
}

std::optional<int> kindOf(const QString &text)
{
    bool number = false;
    const int kind = text.toInt(&number);
    if (number)
        return kind >= 0 && kind < ResultKindCount ? std::optional<int>(kind) : std::nullopt;
    for (int k = 0; k < ResultKindCount; ++k)
        if (text.compare(QLatin1String(KindNames[k]), Qt::CaseInsensitive) == 0)
            return k;
    return std::nullopt;
}

bool isExportName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls") || suffix == QLatin1String("csv");
}

// nullopt: go on; otherwise the exit status (help printed, or bad usage said).
std::optional<int> parseOptions(const QStringList &arguments, Options &options)
{
    const bool writes = options.command == Command::Records || options.command == Command::Spectra;
    const auto bad = [&options](const QString &text) {
        writeError(text + usage(options.command));
        return std::optional<int>(ExitBadUsage);
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            return i + 1 < arguments.size() ? std::optional<QString>(arguments[++i]) : std::nullopt;
        };
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            writeOut(usage(options.command));
            return ExitSuccess;
        }
        if (argument == QLatin1String("--simulate")) {
            options.simulate = QString();
        } else if (argument.startsWith(QLatin1String("--simulate="))) {
            options.simulate = argument.mid(11);
        } else if (argument == QLatin1String("--sim-records") || argument == QLatin1String("--sim-spectra")) {
            bool number = false;
            const int n = value().value_or(QString()).toInt(&number);
            if (!number || n < 0)
                return bad(MeterCommands::tr("%1 takes a count of 0 or more.\n").arg(argument));
            (argument.endsWith(QLatin1String("records")) ? options.simulatedRecords : options.simulatedSpectra) = n;
        } else if (argument == QLatin1String("--trace")) {
            const std::optional<QString> file = value();
            if (!file)
                return bad(MeterCommands::tr("--trace takes the name of the file to write.\n"));
            options.trace = *file;
        } else if (writes && (argument == QLatin1String("-o") || argument == QLatin1String("--output"))) {
            const std::optional<QString> file = value();
            if (!file || !isExportName(*file))
                return bad(MeterCommands::tr("%1 takes the name of an .xlsx, .xls or .csv file.\n").arg(argument));
            options.output = *file;
        } else if (options.command == Command::Records && argument == QLatin1String("--kind")) {
            const std::optional<QString> text = value();
            options.kind = kindOf(text.value_or(QString()));
            if (!options.kind)
                return bad(MeterCommands::tr("--kind takes a result kind: 0 to 5, or haze-t, haze, t, lab, lch, yxy.\n"));
        } else {
            return bad(MeterCommands::tr("Unknown option \"%1\".\n").arg(argument));
        }
    }
    if (writes && options.output.isEmpty())
        return bad(MeterCommands::tr("-o FILE is missing.\n"));
    return std::nullopt;
}

QString messageOf(const Outcome &outcome)
{
    return outcome.text.isEmpty() ? QString() : outcome.text + u'\n';
}

// Download progress on standard error, a line at each tenth, so a log stays short.
Progress progressLine(const QString &what)
{
    auto shown = std::make_shared<int>(-1);
    return [what, shown](int done, int total) {
        const int tenth = total > 0 ? done * 10 / total : 10;
        if (tenth != *shown) {
            *shown = tenth;
            writeError(MeterCommands::tr("%1: %2/%3\n").arg(what).arg(done).arg(total));
        }
        return true;
    };
}

// The meter a command talks to: the link opened as the window opens it, its identity and
// settings read. A simulated meter stands in for USB while it lives.
class Meter
{
public:
    ~Meter()
    {
        if (const auto link = port_.current())
            link->close();
        port_.setLink(nullptr);
        if (simulated_)
            setTransportFactory({});
        ProtocolTrace::stop();
    }

    // nullopt when the meter is open and its settings read; otherwise the exit status, said.
    std::optional<int> open(const Options &options)
    {
        if (!options.trace.isEmpty()) {
            QString error;
            if (!ProtocolTrace::start(options.trace, &error)) {
                writeError(MeterCommands::tr("Cannot write the trace to %1: %2\n").arg(options.trace, error));
                return ExitUnreadableInput;
            }
        }
        if (options.simulate) {
            const std::optional<SimProfile> profile = SimProfile::byName(*options.simulate);
            if (!profile) {
                writeError(MeterCommands::tr("There is no simulated meter \"%1\"; choose tq310, tq320, tq320e or legacy.\n")
                               .arg(*options.simulate));
                return ExitBadUsage;
            }
            simulated_ = std::make_shared<SimulatedInstrument>(*profile);
            simulated_->preload(options.simulatedRecords, options.simulatedSpectra);
            std::weak_ptr<SimulatedInstrument> weak = simulated_;
            setTransportFactory([weak]() -> std::unique_ptr<ReportTransport> {
                const auto instrument = weak.lock();
                return instrument ? instrument->makeTransport() : nullptr;
            });
        }
        port_.setLink(InstrumentLink::openUsb(SimulatedInstrument::VendorId, SimulatedInstrument::ProductId));
        if (!port_.isDeviceOpen())
            return failed(session_.notConnected());
        if (const Outcome table = session_.loadMeterTable(MeterTable::defaultPath()); table.failed)
            return failed(table);
        for (const Outcome &said : session_.readDeviceSettings())
            if (said.failed)
                return failed(said);
        return std::nullopt;
    }

    static int failed(const Outcome &outcome)
    {
        writeError(messageOf(outcome));
        return ExitUnreadableInput;
    }

    LinkPort &port() { return port_; }
    ComparisonSession &session() { return session_; }

private:
    std::shared_ptr<SimulatedInstrument> simulated_;
    LinkPort port_;
    ComparisonSession session_{port_};
};

QString line(const QString &label, const QString &value)
{
    return label + QLatin1String(": ") + value + u'\n';
}

int printInfo(Meter &meter)
{
    const ComparisonPageState &state = meter.session().state();
    const JudgementSettings &judgement = state.judgement;
    const int kind = state.resultKind();
    QString out = line(MeterCommands::tr("Serial number"), state.serialNumber) + line(MeterCommands::tr("Model"), state.modelName)
        + line(MeterCommands::tr("Device type"), QString::number(judgement.deviceType))
        + line(MeterCommands::tr("Firmware version"), QString::number(state.firmwareVersion))
        + line(MeterCommands::tr("Result kind"),
               QStringLiteral("%1 (%2, %3)").arg(pageTr(KindTitles[kind])).arg(kind).arg(QLatin1String(KindNames[kind])));
    const DeviceProfile *profile = deviceProfile(judgement.deviceType);
    if (profile && profile->usesTolerance) {
        out += line(MeterCommands::tr("Haze tolerance"), formatValue(Quantity::Haze, judgement.hazeTolerance))
            + line(MeterCommands::tr("Transmittance tolerance"), formatValue(Quantity::Transmittance, judgement.transmittanceTolerance));
    } else {
        out += line(MeterCommands::tr("Colour difference formula"),
                    formulaName(formulaInForce(judgement.deviceType, judgement.formula)));
    }
    out += line(MeterCommands::tr("Colour difference threshold"), formatThreshold(judgement.workingThreshold));
    writeOut(out);
    return ExitSuccess;
}

int printMeasurement(Meter &meter)
{
    const Outcome measured = meter.session().measure(MeasureStandard);
    if (measured.failed)
        return Meter::failed(measured);
    const ComparisonPair &pair = meter.session().pair();
    QString out;
    for (int quantity = 0; quantity < Quantity::Count; ++quantity)
        if (const std::optional<double> value = pair.standard[quantity])
            out += line(quantityName(quantity), formatValue(quantity, *value));
    if (const auto &rgb = pair.standardSwatch)
        out += line(QStringLiteral("R, G, B"), QStringLiteral("%1, %2, %3").arg((*rgb)[0]).arg((*rgb)[1]).arg((*rgb)[2]));
    writeOut(out);
    return ExitSuccess;
}

// A download that found nothing to save is a failure: the file asked for is not written.
int saved(const Outcome &downloaded, const std::function<Outcome()> &save, int count, const QString &file)
{
    if (downloaded.failed || downloaded.hasMessage())
        return Meter::failed(downloaded);
    const Outcome outcome = save();
    if (outcome.failed)
        return Meter::failed(outcome);
    writeError(MeterCommands::tr("%1 records saved to %2\n").arg(count).arg(file));
    return ExitSuccess;
}

int saveRecords(Meter &meter, const Options &options)
{
    ComparisonSession &session = meter.session();
    const int kind = options.kind.value_or(session.state().resultKind());
    const DeviceProfile *profile = deviceProfile(session.state().judgement.deviceType);
    if (!profile || !profile->resultKinds[kind]) {
        writeError(MeterCommands::tr("The %1 keeps no records of the result kind %2.\n")
                       .arg(session.state().modelName, pageTr(KindTitles[kind])));
        return ExitUnreadableInput;
    }
    session.state().setResultKind(kind);
    const Outcome downloaded = session.downloadRecords(progressLine(MeterCommands::tr("Reading comparison records")));
    return saved(downloaded, [&] { return session.exportTo(options.output); }, session.records().count(),
                 options.output);
}

int saveSpectra(Meter &meter, const Options &options)
{
    SpectralSession spectral(meter.port(), meter.session().state().judgement.deviceType);
    const Outcome downloaded = spectral.downloadHistory(progressLine(MeterCommands::tr("Reading spectra")));
    return saved(downloaded, [&] { return spectral.exportTo(options.output); }, spectral.records().count(),
                 options.output);
}

int run(Command command, const QStringList &arguments)
{
    Options options;
    options.command = command;
    if (const std::optional<int> done = parseOptions(arguments, options))
        return *done;
    // The link's debug lines would mix with the progress and the messages.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            writeError(message + u'\n');
    });
    Meter meter;
    if (const std::optional<int> failure = meter.open(options))
        return *failure;
    switch (command) {
    case Command::Info:
        return printInfo(meter);
    case Command::Measure:
        return printMeasurement(meter);
    case Command::Records:
        return saveRecords(meter, options);
    case Command::Spectra:
        return saveSpectra(meter, options);
    }
    return ExitBadUsage;
}

} // namespace

int MeterCommands::info(const QStringList &arguments)
{
    return run(Command::Info, arguments);
}

int MeterCommands::measure(const QStringList &arguments)
{
    return run(Command::Measure, arguments);
}

int MeterCommands::records(const QStringList &arguments)
{
    return run(Command::Records, arguments);
}

int MeterCommands::spectra(const QStringList &arguments)
{
    return run(Command::Spectra, arguments);
}
