#include "SingleInstanceGuard.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QUuid>
#include <gtest/gtest.h>

namespace {
QString uniqueKey()
{
    return QStringLiteral("lumivex-test-") + QUuid::createUuid().toString(QUuid::Id128);
}
} // namespace

TEST(SingleInstanceGuard, SecondInstanceHandsItsMessageToTheFirst)
{
    const QString key = uniqueKey();
    SingleInstanceGuard first(key);
    ASSERT_FALSE(first.isRunning());
    EXPECT_FALSE(first.sendMessage(QStringLiteral("active!!!!!"), 100)); // nobody to tell
    QSignalSpy received(&first, &SingleInstanceGuard::messageReceived);

    SingleInstanceGuard second(key);
    ASSERT_TRUE(second.isRunning());
    ASSERT_TRUE(second.sendMessage(QStringLiteral("active!!!!!"), 5000));
    ASSERT_TRUE(received.wait(2000));
    EXPECT_EQ(received.first().first().toString(), QStringLiteral("active!!!!!"));
}

TEST(SingleInstanceGuard, LockLeftByACrashedInstanceDoesNotBlockTheNextStart)
{
    const QString key = uniqueKey();
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // A lock file naming a process that no longer exists, as a crash leaves it.
    QFile stale(dir + QLatin1Char('/') + key + QStringLiteral(".lock"));
    ASSERT_TRUE(stale.open(QFile::WriteOnly));
    stale.write("999999\nlumivex\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstanceGuard next(key);
    EXPECT_FALSE(next.isRunning());
}
