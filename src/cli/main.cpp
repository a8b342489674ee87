// lumivex-cli: the program's calculations for scripts and lab work, without the window.
#include "Console.h"
#include "DeltaECommand.h"
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
    const QStringList folders{QCoreApplication::applicationDirPath(),
                              QStringLiteral(LUMIVEX_DATA_DIR "/translations")};
    for (const QString &folder : folders) {
        if (translator.load(QLocale(), QStringLiteral("Lumivex"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
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
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    writeError(tr("Unknown command \"%1\".\n").arg(name) + usage());
    return ExitBadUsage;
}
