// Keys and closing on the main window: no keystroke and no click on the close box takes a record.
#include "FileChooser.h"
#include "FirstPageFor310.h"
#include "InstrumentRig.h"
#include "MainWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WindowRig : InstrumentRig
{
    WindowRig()
    {
        window.on_btnLanguageEn_clicked();
        window.show();
        window.start();
        catcher.clear();
    }
    int records() { return window.page()->session().records().count(); }
    void measurePair()
    {
        for (const char *button : {"pushButton_standardMeasurement", "pushButton_sampleMeasurement"})
            window.findChild<QPushButton *>(QLatin1String(button))->click();
    }

    MainWindow window; // opens the instrument once it is shown
};

// Escape in a field keeps the window, Enter sets only that field; closing asks only with unsaved records.
TEST(MainWindowClosing, KeysTakeNothingClosingAsksOnlyWithUnsavedRecords)
{
    WindowRig rig;
    EXPECT_TRUE(rig.window.close()) << "nothing to lose, nothing asked";
    EXPECT_TRUE(rig.catcher.seen().isEmpty());
    rig.window.show();
    rig.measurePair();
    auto *haze = rig.window.findChild<QLineEdit *>(QStringLiteral("lineEdit_hazeTolerance"));
    QTest::keyClick(haze, Qt::Key_Escape);
    EXPECT_TRUE(rig.window.isVisible());
    haze->setText(QStringLiteral("0.29"));
    QTest::keyClick(haze, Qt::Key_Return);
    EXPECT_EQ(rig.instrument->tolerance()[0], 29);
    EXPECT_EQ(rig.catcher.texts(), QStringList{"Setup successfully!"}) << "no other button was pressed";
    for (const auto answer : {QMessageBox::Escape, QMessageBox::Cancel}) {
        rig.catcher.answerNext(answer);
        EXPECT_FALSE(rig.window.close());
        EXPECT_EQ(rig.records(), 1);
    }
    EXPECT_EQ(rig.catcher.lastText(), QStringLiteral("1 records in the list were never exported. Save them before closing?"));
    QTemporaryDir folder;
    FileChooser::setAnswer([&](const FileChooser::Request &) { return folder.filePath(QStringLiteral("kept.xlsx")); });
    const auto reset = qScopeGuard([] { FileChooser::setAnswer({}); });
    rig.catcher.answerNext(QMessageBox::Save);
    EXPECT_TRUE(rig.window.close());
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("kept.xlsx"))));

    rig.window.show();
    rig.measurePair();
    rig.catcher.answerNext(QMessageBox::Discard);
    EXPECT_TRUE(rig.window.close());
    EXPECT_EQ(rig.records(), 0);
}

// A session that ended with unsaved records is offered back: Escape restores, Discard lets go.
TEST(MainWindowJournal, OffersWhatThePreviousSessionLeft)
{
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("lab.journal"));
    {
        WindowRig first;
        first.window.keepJournal(journal);
        first.measurePair();
        first.measurePair();
    } // gone without a word, as when the program is killed
    for (const auto answer : {QMessageBox::Escape, QMessageBox::Discard}) {
        WindowRig next;
        next.catcher.answerNext(answer);
        next.window.keepJournal(journal);
        EXPECT_TRUE(next.catcher.lastText().startsWith(
            QStringLiteral("The last session ended with 3 records that were never exported (last change ")));
        EXPECT_EQ(next.records(), answer == QMessageBox::Escape ? 3 : 0);
    }
    WindowRig last;
    last.window.keepJournal(journal);
    EXPECT_TRUE(last.catcher.seen().isEmpty()) << "nothing left to offer";
}

} // namespace
