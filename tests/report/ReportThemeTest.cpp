#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QString theme()
{
    QFile file(QStringLiteral(":/qss/psblue.css"));
    if (!file.open(QFile::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll());
}

struct ThemeImage
{
    const char *name;
    int size;
};

// The indicator and arrow images the theme draws with, at the sizes the size rules expect.
const ThemeImage themeImages[] = {
    {"checkbox_checked", 13},         {"checkbox_unchecked", 13},         {"checkbox_parcial", 13},
    {"checkbox_checked_disable", 13}, {"checkbox_unchecked_disable", 13}, {"checkbox_parcial_disable", 13},
    {"radiobutton_checked", 15},      {"radiobutton_unchecked", 15},      {"radiobutton_checked_disable", 15},
    {"radiobutton_unchecked_disable", 15},
    {"add_top", 10},                  {"add_bottom", 10},                 {"add_left", 10},
    {"add_right", 10},                {"branch_open", 10},                {"branch_close", 10},
    {"calendar_prevmonth", 16},       {"calendar_nextmonth", 16}};

QStringList parseWarnings;

void collectParseWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QStringLiteral("parse"), Qt::CaseInsensitive))
        parseWarnings << message;
}

} // namespace

TEST(ReportTheme, FirstLineNamesThePaletteColour)
{
    const QString qss = theme();
    ASSERT_FALSE(qss.isEmpty()) << "theme missing from the resources";
    EXPECT_EQ(qss.section(u'\n', 0, 0), QStringLiteral("QPalette{background:#FFFFFF;}*{outline:0px;color:#00BFFF;}"));
}

TEST(ReportTheme, ReferencesEveryIndicatorImageCompiledInAtItsSize)
{
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    QSet<QString> referenced;
    for (const auto &match : url.globalMatch(theme()))
        referenced.insert(match.captured(1));
    QSet<QString> expected;
    for (const ThemeImage &image : themeImages) {
        const QString path = QStringLiteral(":/qss/psblack/%1.png").arg(QLatin1String(image.name));
        EXPECT_EQ(QImage(path).size(), QSize(image.size, image.size)) << image.name;
        expected.insert(path);
    }
    EXPECT_EQ(referenced, expected);
    EXPECT_EQ(QImage(QStringLiteral(":/image/lumivex.png")).size(), QSize(256, 256));
}

TEST(ReportTheme, StyleSheetParsesForEveryStyledWidget)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *table = new QTableWidget(3, 3);
    table->setObjectName(QStringLiteral("tableWidget_colorDiff"));
    auto *tabs = new QTabWidget;
    tabs->addTab(new QLabel(QStringLiteral("tab")), QStringLiteral("one"));
    for (QWidget *widget : std::initializer_list<QWidget *>{
             new QLabel(QStringLiteral("label")), new QPushButton(QStringLiteral("push")), new QCheckBox,
             new QRadioButton, new QSpinBox, new QComboBox, new QDateEdit, new QProgressBar,
             new QSlider(Qt::Horizontal), new QGroupBox(QStringLiteral("group")), table, tabs})
        layout->addWidget(widget);

    parseWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectParseWarnings);
    window.setStyleSheet(theme());
    window.show();
    for (QWidget *child : window.findChildren<QWidget *>())
        child->ensurePolished();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(parseWarnings.isEmpty()) << parseWarnings.join(u'\n').toStdString();
}
