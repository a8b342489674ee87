#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// A program run to its end in a chosen locale, with its exit code and both outputs.
struct ProcessResult
{
    int exitCode = -1; // -1 also when it did not start or crashed
    QString out, err;
};

inline ProcessResult runProcess(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                                const QString &language = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(name);
    environment.insert(QStringLiteral("LANG"), language);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

inline ProcessResult runCli(const QStringList &arguments, const QByteArray &input = {},
                            const QString &language = QStringLiteral("C"))
{
    return runProcess(QStringLiteral(LUMIVEX_BINARY_DIR "/lumivex-cli"), arguments, input, language);
}
