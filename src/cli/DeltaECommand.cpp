#include "DeltaECommand.h"

#include "ColourDifference.h"
#include "Console.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>
#include <optional>

namespace {

struct Options
{
    int formula = DeltaE00;
    QString file; // empty or "-": standard input
};

struct Pair
{
    Lab standard, sample;
};

std::optional<int> formulaIndex(const QString &text)
{
    bool ok = false;
    const int formula = text.toInt(&ok);
    if (!ok || formula < 0 || formula >= DeltaEFormulaCount)
        return std::nullopt;
    return formula;
}

// Fills the options; returns an exit status when the command ends here (help or bad usage).
std::optional<int> parseOptions(const QStringList &arguments, Options &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            writeOut(DeltaECommand::usage());
            return ExitSuccess;
        }
        if (argument == QLatin1String("--formula") || argument.startsWith(QLatin1String("--formula="))) {
            const QString value = argument.contains(QLatin1Char('=')) ? argument.section(QLatin1Char('='), 1)
                                  : i + 1 < arguments.size()         ? arguments[++i]
                                                                     : QString();
            const std::optional<int> formula = formulaIndex(value);
            if (!formula) {
                writeError(DeltaECommand::tr("--formula takes a number from 0 to 5, not \"%1\".\n").arg(value));
                return ExitBadUsage;
            }
            options.formula = *formula;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            writeError(DeltaECommand::tr("Unknown option \"%1\".\n").arg(argument) + DeltaECommand::usage());
            return ExitBadUsage;
        } else if (!options.file.isEmpty()) {
            writeError(DeltaECommand::tr("Only one input file can be given.\n"));
            return ExitBadUsage;
        } else {
            options.file = argument;
        }
    }
    return std::nullopt;
}

QString withoutComment(const QString &line)
{
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    return (hash < 0 ? line : line.left(hash)).trimmed();
}

// Six numbers separated by commas, semicolons, tabs or spaces; an empty field is an error.
std::optional<Pair> parsePair(const QString &line)
{
    static const QRegularExpression separator(QStringLiteral("\\s*[,;]\\s*|\\s+"));
    const QStringList fields = line.split(separator);
    if (fields.size() != 6)
        return std::nullopt;
    double numbers[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        numbers[i] = fields[i].toDouble(&ok);
        if (!ok || !std::isfinite(numbers[i]))
            return std::nullopt;
    }
    return Pair{{numbers[0], numbers[1], numbers[2]}, {numbers[3], numbers[4], numbers[5]}};
}

int cannotRead(const QString &name, const QFile &input)
{
    writeError(DeltaECommand::tr("Cannot read \"%1\": %2\n").arg(name, input.errorString()));
    return ExitUnreadableInput;
}

// Everything is computed before anything is printed, so a bad line leaves no partial result.
int printDifferences(QFile &input, const QString &name, int formula)
{
    QTextStream lines(&input);
    QString results;
    for (int number = 1; !lines.atEnd(); ++number) {
        const QString line = withoutComment(lines.readLine());
        if (line.isEmpty())
            continue;
        const std::optional<Pair> pair = parsePair(line);
        if (!pair) {
            writeError(DeltaECommand::tr("Line %1: expected six numbers L1,a1,b1,L2,a2,b2, found \"%2\".\n")
                           .arg(number)
                           .arg(line));
            return ExitBadUsage;
        }
        results += QString::number(colorDifference(formula, pair->standard, pair->sample), 'f', 4) + QLatin1Char('\n');
    }
    if (input.error() != QFileDevice::NoError)
        return cannotRead(name, input);
    writeOut(results);
    return ExitSuccess;
}

} // namespace

QString DeltaECommand::usage()
{
    QStringList formulas;
    for (int formula = 0; formula < DeltaEFormulaCount; ++formula)
        formulas << QStringLiteral("%1 %2").arg(formula).arg(formulaName(formula));
    return tr("Usage: lumivex-cli delta-e [--formula N] [FILE]\n"
              "\n"
              "Reads lines of six numbers \"L1,a1,b1,L2,a2,b2\" (standard, then sample) separated by\n"
              "commas, semicolons, tabs or spaces from FILE, or from standard input when FILE is\n"
              "missing or \"-\", and prints one colour difference per line with 4 decimals.\n"
              "Blank lines and text after \"#\" are skipped.\n"
              "\n"
              "  --formula N   %1 (default 5)\n"
              "\n"
              "Exit status: 0 success, 1 input cannot be read, 2 bad usage or a malformed line.\n")
        .arg(formulas.join(QStringLiteral(", ")));
}

int DeltaECommand::run(const QStringList &arguments)
{
    Options options;
    if (const std::optional<int> done = parseOptions(arguments, options))
        return *done;

    QFile input;
    const bool fromStdin = options.file.isEmpty() || options.file == QLatin1String("-");
    const QString name = fromStdin ? tr("standard input") : options.file;
    if (fromStdin ? !input.open(stdin, QIODevice::ReadOnly)
                  : (input.setFileName(options.file), !input.open(QIODevice::ReadOnly)))
        return cannotRead(name, input);
    return printDifferences(input, name, options.formula);
}
