// The engine against real files: used range, preparing, an unreadable file, failed, interrupted and verified saves.

#include "ExcelEngine.h"
#include "WorkbookSave.h"
#include "WorkbookTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

namespace {

// What readAll gives, one canonicalCell field per value.
QString rowsText(ExcelEngine &engine)
{
    QList<QList<QVariant>> rows;
    engine.readAll(rows);
    QString text;
    for (const QList<QVariant> &row : rows) {
        QStringList fields;
        for (const QVariant &value : row)
            fields << canonicalCell(Cell{value, NumberFormat::General, false});
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

class Engine : public testing::TestWithParam<const char *>
{
protected:
    QString path(const QString &base = QStringLiteral("book")) const { return folder.filePath(base + GetParam()); }
    QTemporaryDir folder;
};

TEST_P(Engine, UsedRangeBeginsAtTheFirstNonEmptyRowAndCloseDiscardsWhatWasNotSaved)
{
    const char *const saved = "s:first\t\t\n\t\t\n\t\t\n\t\t\n\t\tn:4.5\n";
    {
        ExcelEngine engine(path());
        ASSERT_TRUE(engine.open(1));
        EXPECT_EQ(engine.rowCount(), 0);
        EXPECT_EQ(rowsText(engine), "");
        // A table without header items starts at sheet row 2; blanks and empty texts do not count.
        ASSERT_TRUE(engine.setCellData(2, 2, "first"));
        ASSERT_TRUE(engine.setCellData(6, 4, 4.5));
        ASSERT_TRUE(engine.setCellData(9, 9, ""));
        ASSERT_TRUE(engine.setCellData(1, 1, QVariant()));
        ASSERT_TRUE(engine.save());
        ASSERT_TRUE(engine.setCellData(1, 1, "discarded by close"));
        engine.close();
        ASSERT_TRUE(engine.open(1));
        EXPECT_EQ(engine.rowCount(), 5);
        EXPECT_EQ(engine.columnCount(), 3);
        EXPECT_EQ(rowsText(engine), saved);
        ASSERT_TRUE(engine.setCellData(1, 1, "discarded by the destructor"));
    }
    ExcelEngine engine(path());
    ASSERT_TRUE(engine.openForReading(1));
    EXPECT_EQ(rowsText(engine), saved);
}

TEST_P(Engine, SaveKeepsTheFileFormatAndTheOtherSheetsButNoMore)
{
    // A workbook of the other format behind this extension stays in that format.
    const bool xls = QString(GetParam()) == ".xls";
    Workbook workbook = workbookOf(sampleSheet());
    workbook.sheets.push_back(Sheet{QStringLiteral("Second"), {{CellPos{0, 0}, Cell{QStringLiteral("kept"), {}, false}}}});
    writeSample(path(), xls ? WorkbookFormat::Xlsx : WorkbookFormat::Xls, workbook);
    ExcelEngine engine(path());
    ASSERT_TRUE(engine.open(1));
    ASSERT_TRUE(engine.setCellData(20, 1, "added"));
    ASSERT_TRUE(engine.save());
    EXPECT_EQ(contents(path()).left(2), xls ? QByteArray("PK") : QByteArray("\xD0\xCF"));
    ASSERT_TRUE(engine.open(2));
    EXPECT_EQ(rowsText(engine), "s:kept\n");
    for (int sheet : {0, 3, -1}) {
        EXPECT_FALSE(engine.open(sheet));
        EXPECT_TRUE(engine.errorString().endsWith(QStringLiteral("has no sheet %1.").arg(sheet)));
    }
}

TEST_P(Engine, CellsBeyondTheFormatAreRefused)
{
    const SheetLimits limits = sheetLimits(formatForExtension(path()));
    ExcelEngine engine(path());
    ASSERT_TRUE(engine.open(1));
    EXPECT_TRUE(engine.setCellData(limits.rows, limits.columns, 1));
    EXPECT_FALSE(engine.setCellData(limits.rows + 1, 1, 1));
    EXPECT_FALSE(engine.setCellData(1, limits.columns + 1, 1));
    EXPECT_FALSE(engine.setCellData(0, 1, 1));
    EXPECT_TRUE(engine.errorString().contains("column 1")) << engine.errorString().toStdString();
}

TEST_P(Engine, OpenPreparesAMissingFileButReadingNeverCreatesOne)
{
    ExcelEngine reader(path("missing"));
    EXPECT_FALSE(reader.openForReading(1));
    EXPECT_TRUE(reader.errorString().contains(QDir::toNativeSeparators(path("missing"))));
    EXPECT_FALSE(QFile::exists(path("missing")));

    // Without "./template.xls" in the working directory a new workbook starts empty.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    EXPECT_TRUE(ExcelEngine::prepareFile(path("empty")));
    EXPECT_EQ(QFileInfo(path("empty")).size(), 0);
    QDir::setCurrent(previous);
    ExcelEngine empty(path("empty"));
    ASSERT_TRUE(empty.open(1));
    ASSERT_TRUE(empty.setCellData(1, 1, "x"));
    ASSERT_TRUE(empty.save());
    EXPECT_EQ(formatForExtension(path()) == WorkbookFormat::Xls ? QByteArray("\xD0\xCF") : QByteArray("PK"),
              contents(path("empty")).left(2));
}

TEST_P(Engine, AFileItCannotReadStaysClosedAndUntouched)
{
    const QByteArray zeros(4096, '\0');
    ASSERT_TRUE(putContents(path(), zeros));
    ExcelEngine engine(path());
    EXPECT_FALSE(engine.open(1) || engine.isOpen() || engine.rowCount() != 0);
    EXPECT_EQ(engine.errorString(),
              "Cannot read " + QDir::toNativeSeparators(path()) + ": it is neither an .xls nor an .xlsx workbook");
    EXPECT_EQ(contents(path()), zeros);
}

TEST_P(Engine, AFailedSaveKeepsThePreviousFile)
{
    writeSample(path(), formatForExtension(path()));
    const QByteArray before = contents(path());
    ExcelEngine engine(path());
    ASSERT_TRUE(engine.open(1));
    ASSERT_TRUE(engine.setCellData(1, 1, "new"));

    // The file's folder is replaced by a plain file: nothing can be written there.
    ASSERT_TRUE(QDir().rename(folder.path(), folder.path() + ".moved"));
    ASSERT_TRUE(putContents(folder.path(), "not a folder"));
    EXPECT_FALSE(engine.save());
    EXPECT_TRUE(engine.errorString().startsWith("Cannot save " + QDir::toNativeSeparators(path()) + ": "))
        << engine.errorString().toStdString();
    QFile::remove(folder.path());
    ASSERT_TRUE(QDir().rename(folder.path() + ".moved", folder.path()));
    EXPECT_EQ(contents(path()), before);

    // Removed between open and save: the save writes it anew, whole.
    QFile::remove(path());
    ASSERT_TRUE(engine.save()) << engine.errorString().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    ExcelEngine reader(path());
    ASSERT_TRUE(reader.openForReading(1));
    EXPECT_EQ(reader.rowCount(), sampleSheet().usedRange().rowCount + 1);

    if (geteuid() != 0) { // the superuser writes read-only files anyway
        QFile::setPermissions(path(), QFile::ReadOwner);
        const QByteArray locked = contents(path());
        EXPECT_FALSE(engine.save());
        EXPECT_TRUE(engine.errorString().endsWith("the file is read-only"));
        EXPECT_EQ(contents(path()), locked);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Engine, testing::Values(".xls", ".xlsx"),
                         [](const auto &info) { return std::string(info.param + 1); });

// The verified save replaces the old file whole or leaves it as it was, and never leaves its
// scratch file behind. Beside "old.xls" lie a folder "folder.xls", links to both, a dangling
// link, a link to itself and "./template.xls" with a title in A1, kept above the rows, and a
// stray cell in D3: rows reaching column D overwrite it, a shorter row leaves it there and the
// read-back fails. A saved file is read by xlrd or openpyxl, as its name says; links stay links.
struct SaveCase { const char *name, *target; QStringList secondRow; SaveResult result; const char *written; };
using VerifiedSave = testing::TestWithParam<SaveCase>;

TEST_P(VerifiedSave, ReplacesWholeOrKeepsTheOldFile)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QByteArray old = contents(writeSample(folder.filePath("old.xls"), WorkbookFormat::Xls));
    writeSample(folder.filePath("template.xls"), WorkbookFormat::Xls,
                workbookOf(Sheet{"Sheet1", {{CellPos{0, 0}, cellFromText("title")}, {CellPos{2, 3}, cellFromText("x")}}}));
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.xls"));
    const QStringList links{"link.xls", "old.xls", "dirLink.xls", "folder.xls", "dangling.xls", "made.xls", "loop.xls", "loop.xls"};
    for (qsizetype i = 0; i < links.size(); i += 2)
        ASSERT_EQ(symlink(qPrintable(links[i + 1]), qPrintable(folder.filePath(links[i]))), 0);
    const auto entries = [&folder] {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    };
    QStringList expected = entries();
    const QList<QStringList> rows{{"NO", "", "Time"}, GetParam().secondRow};
    EXPECT_EQ(saveRowsVerified(folder.filePath(GetParam().target), rows), GetParam().result);
    QDir::setCurrent(previous);
    if (GetParam().written) {
        const QString written = folder.filePath(GetParam().written);
        EXPECT_EQ(runPython(written.endsWith(".xlsx") ? kOpenpyxlDump : kXlrdDump, {written}),
                  "s:title\t\t\t\ns:NO^\t\ts:Time^\t\nn:1^\tp:0.1234^\td:2024-05-01T10:30:00^\ts:样品^\n");
        if (!expected.contains(GetParam().written)) {
            expected << GetParam().written;
            expected.sort();
        }
    } else {
        EXPECT_EQ(contents(folder.filePath("old.xls")), old);
    }
    EXPECT_EQ(entries(), expected);
    for (qsizetype i = 0; i < links.size(); i += 2)
        EXPECT_TRUE(QFileInfo(folder.filePath(links[i])).isSymLink()) << links[i].toStdString();
}

const QStringList SavedRow{"1", "12.34%", "2024/05/01  10:30", "样品"};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, VerifiedSave,
    testing::Values(SaveCase{"replacesTheOldFile", "old.xls", SavedRow, SaveResult::Saved, "old.xls"},
                    // The name chosen decides the format, also over the template.
                    SaveCase{"xlsxFromTheTemplate", "new.xlsx", SavedRow, SaveResult::Saved, "new.xlsx"},
                    SaveCase{"throughALink", "link.xls", SavedRow, SaveResult::Saved, "old.xls"},
                    SaveCase{"danglingLink", "dangling.xls", SavedRow, SaveResult::Saved, "made.xls"},
                    SaveCase{"linkToAFolder", "dirLink.xls", {"1"}, SaveResult::CantOverwrite, nullptr},
                    SaveCase{"linkLoop", "loop.xls", {"1"}, SaveResult::CantOverwrite, nullptr},
                    SaveCase{"folderInTheWay", "folder.xls", {"1"}, SaveResult::CantOverwrite, nullptr},
                    SaveCase{"missingFolder", "gone/new.xlsx", {"1"}, SaveResult::CantOpen, nullptr},
                    SaveCase{"textTooLong", "new.xlsx", {QString(kMaxTextLength + 1, u'x')}, SaveResult::WriteFailed, nullptr},
                    SaveCase{"strayTemplateCell", "old.xls", {"1"}, SaveResult::NotReadBack, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

// A save that fails or is killed part-way leaves the previous file as it was.
using InterruptedSave = testing::TestWithParam<WorkbookFormat>;

TEST_P(InterruptedSave, LeavesThePreviousFile)
{
    QTemporaryDir folder;
    const QString target = writeSample(folder.filePath("target"), GetParam());
    const QByteArray before = contents(target);
    Sheet big{QStringLiteral("Sheet1"), {}};
    for (int r = 0; r < 3000; ++r) {
        for (int c = 0; c < 10; ++c)
            big.cells.emplace(CellPos{r, c}, Cell{c % 2 ? QVariant(r * 10.0 + c) : QVariant(QString::number(r * c)), {}, false});
    }
    const Workbook workbook = workbookOf(std::move(big));
    for (const bool killed : {false, true}) {
        const pid_t child = fork();
        if (child == 0) {
            // Writes beyond 64 kB raise SIGXFSZ: ignored, write() fails; by default it kills.
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit limit{64 << 10, 64 << 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            QString error;
            _exit(writeWorkbookFile(target, workbook, GetParam(), error) ? 0 : 3);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(killed ? WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ
                           : WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
        if (!killed) { // a failed write cleans up after itself
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target"});
        }
        EXPECT_EQ(contents(target), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, InterruptedSave, testing::Values(WorkbookFormat::Xls, WorkbookFormat::Xlsx),
                         [](const auto &info) { return info.param == WorkbookFormat::Xls ? "xls" : "xlsx"; });

} // namespace
