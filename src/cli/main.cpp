// lumivex-cli: the program's calculations for scripts and lab work, without the window.
#include "Console.h"
#include "DataPaths.h"
#include "DeltaECommand.h"
#include "MeterCommands.h"
#include "MeterTable.h"
#include "SheetCommand.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

struct Command
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments);
};

// One entry, and one source file, per command.
const Command commands[] = {
    {"delta-e", QT_TRANSLATE_NOOP("LumivexCli", "Colour difference of L*a*b* pairs, one per line"),
     &DeltaECommand::run},
    {"sheet", QT_TRANSLATE_NOOP("LumivexCli", "Print sheet 1 of a workbook, or convert between .xls and .xlsx"),
     &SheetCommand::run},
    {"info", QT_TRANSLATE_NOOP("LumivexCli", "The meter's identity, result kind and settings"), &MeterCommands::info},
    {"measure", QT_TRANSLATE_NOOP("LumivexCli", "Take one result from the meter and print it"), &MeterCommands::measure},
    {"records", QT_TRANSLATE_NOOP("LumivexCli", "Save the meter's comparison records of one result kind"),
     &MeterCommands::records},
    {"spectra", QT_TRANSLATE_NOOP("LumivexCli", "Save the spectra the meter keeps"), &MeterCommands::spectra},
};

QString tr(const char *text)
{
    return QCoreApplication::translate("LumivexCli", text);
}

QString usage()
{
    QString list;
    for (const Command &command : commands)
        list += QStringLiteral("  %1  %2\n").arg(QLatin1String(command.name), -10).arg(tr(command.summary));
    return tr("Usage: lumivex-cli <command> [options]\n"
              "\n"
              "Commands:\n"
              "%1\n"
              "Run \"lumivex-cli <command> --help\" for the options of a command.\n")
        .arg(list);
}

// Messages follow the user's language when its translation is installed.
void loadTranslation(QTranslator &translator)
{
    for (const QString &folder : DataPaths::translationFolders()) {
        if (translator.load(QLocale(), QStringLiteral("Lumivex"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

// The version, and which translation and meter table this copy finds: a packager's first check.
QString version(const QTranslator &translator)
{
    QString text = QStringLiteral("lumivex-cli %1\n").arg(QStringLiteral(LUMIVEX_VERSION));
    text += tr("Translation: %1").arg(translator.isEmpty() ? tr("none") : translator.filePath()) + u'\n';
    MeterTable table;
    const QString path = MeterTable::defaultPath();
    const MeterTableMessage failure = table.load(path);
    text += failure.isEmpty() ? tr("Meter table: %1, %2 meters").arg(path).arg(table.rowCount() - 1)
                              : tr("Meter table: %1: %2").arg(path, failure.text);
    return text + u'\n';
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTranslator translator;
    loadTranslation(translator);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        writeError(usage());
        return ExitBadUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        writeOut(usage());
        return ExitSuccess;
    }
    if (name == QLatin1String("--version") || name == QLatin1String("-v")) {
        writeOut(version(translator));
        return ExitSuccess;
    }
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    writeError(tr("Unknown command \"%1\".\n").arg(name) + usage());
    return ExitBadUsage;
}
