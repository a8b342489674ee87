#include "SheetCommand.h"

#include "Console.h"
#include "ExcelEngine.h"
#include "WorkbookFile.h"

#include <QLocale>

#include <optional>

namespace {

struct Options
{
    QString file;
    QString convertTo; // empty: print
};

std::optional<int> parseOptions(const QStringList &arguments, Options &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            writeOut(SheetCommand::usage());
            return ExitSuccess;
        }
        if (argument == QLatin1String("--to")) {
            if (i + 1 == arguments.size()) {
                writeError(SheetCommand::tr("--to takes the name of the workbook to write.\n"));
                return ExitBadUsage;
            }
            options.convertTo = arguments[++i];
        } else if (argument.startsWith(QLatin1Char('-'))) {
            writeError(SheetCommand::tr("Unknown option \"%1\".\n").arg(argument) + SheetCommand::usage());
            return ExitBadUsage;
        } else if (!options.file.isEmpty()) {
            writeError(SheetCommand::tr("Only one workbook can be given.\n"));
            return ExitBadUsage;
        } else {
            options.file = argument;
        }
    }
    if (options.file.isEmpty()) {
        writeError(SheetCommand::usage());
        return ExitBadUsage;
    }
    return std::nullopt;
}

// Tabs and line breaks inside a text would split its row; they are written escaped.
QString escaped(QString text)
{
    return text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\t', QLatin1String("\\t"))
        .replace(u'\n', QLatin1String("\\n"))
        .replace(u'\r', QLatin1String("\\r"));
}

QString cellText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        return stamp.date().toString(Qt::ISODate) + u'T' + stamp.time().toString(Qt::ISODate);
    }
    default:
        return escaped(value.toString());
    }
}

int print(const QString &file)
{
    ExcelEngine engine(file);
    if (!engine.openForReading(1)) {
        writeError(engine.errorString() + u'\n');
        return ExitBadUsage;
    }
    QList<QList<QVariant>> rows;
    engine.readAll(rows);
    QString out;
    for (const QList<QVariant> &row : std::as_const(rows)) {
        QStringList cells;
        for (const QVariant &value : row)
            cells << cellText(value);
        out += cells.join(u'\t') + u'\n';
    }
    writeOut(out);
    return ExitSuccess;
}

int convert(const QString &file, const QString &target)
{
    Workbook workbook;
    WorkbookFormat format;
    QString error;
    if (!readWorkbookFile(file, workbook, format, error)
        || !writeWorkbookFile(target, workbook, formatForExtension(target), error)) {
        writeError(error + u'\n');
        return ExitBadUsage;
    }
    return ExitSuccess;
}

} // namespace

QString SheetCommand::usage()
{
    return tr("Usage: lumivex-cli sheet [--to OUT] FILE\n"
              "\n"
              "Prints the used range of sheet 1 of the workbook FILE (.xls or .xlsx) as lines of\n"
              "tab-separated cells: numbers in their shortest exact form, date-times as ISO 8601,\n"
              "texts as they are (tab, line break and backslash escaped as \\t, \\n and \\\\).\n"
              "\n"
              "  --to OUT   write the whole workbook to OUT instead: .xlsx when OUT ends in .xlsx,\n"
              "             else .xls\n"
              "\n"
              "Exit status: 0 success, 2 bad usage or a workbook that cannot be read or written.\n");
}

int SheetCommand::run(const QStringList &arguments)
{
    Options options;
    if (const std::optional<int> done = parseOptions(arguments, options))
        return *done;
    return options.convertTo.isEmpty() ? print(options.file) : convert(options.file, options.convertTo);
}
