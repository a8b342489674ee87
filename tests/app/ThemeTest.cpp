// The compiled-in theme, the font, and dragging a frameless window.
#include "AppInit.h"
#include "Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
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
    return file.open(QFile::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QStringList parseWarnings;

void collectParseWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QStringLiteral("parse"), Qt::CaseInsensitive))
        parseWarnings << message;
}

void sendMouse(QWidget *w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint global)
{
    QMouseEvent event(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(Theme, NamesItsPaletteColourAndParsesForEveryStyledWidget)
{
    const QString qss = theme();
    ASSERT_FALSE(qss.isEmpty()) << "theme missing from the resources";
    EXPECT_EQ(qss.section(u'\n', 0, 0), QStringLiteral("QPalette{background:#FFFFFF;}*{outline:0px;color:#00BFFF;}"));
    EXPECT_EQ(Theme::paletteColourName(qss), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(Theme::paletteColourName(QStringLiteral("QPalette{background:#444444;}*{outline:0px;}")),
              QStringLiteral("#444444"));

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
    window.setStyleSheet(qss);
    window.show();
    for (QWidget *child : window.findChildren<QWidget *>())
        child->ensurePolished();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(parseWarnings.isEmpty()) << parseWarnings.join(u'\n').toStdString();
}

// The indicator and arrow images the theme draws with, at the sizes the size rules give them.
TEST(Theme, ReferencesEveryImageCompiledInAtTheSizeOfItsRule)
{
    const std::pair<const char *, int> images[] = {
        {"checkbox_checked", 13},         {"checkbox_unchecked", 13},         {"checkbox_parcial", 13},
        {"checkbox_checked_disable", 13}, {"checkbox_unchecked_disable", 13}, {"checkbox_parcial_disable", 13},
        {"radiobutton_checked", 15},      {"radiobutton_unchecked", 15},      {"radiobutton_checked_disable", 15},
        {"radiobutton_unchecked_disable", 15},
        {"add_top", 10},                  {"add_bottom", 10},                 {"add_left", 10},
        {"add_right", 10},                {"branch_open", 10},                {"branch_close", 10},
        {"calendar_prevmonth", 16},       {"calendar_nextmonth", 16}};
    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    QSet<QString> referenced, expected;
    for (const auto &match : url.globalMatch(theme()))
        referenced.insert(match.captured(1));
    for (const auto &[name, size] : images) {
        const QString path = QStringLiteral(":/qss/psblack/%1.png").arg(QLatin1String(name));
        EXPECT_EQ(QImage(path).size(), QSize(size, size)) << name;
        expected.insert(path);
    }
    EXPECT_EQ(referenced, expected);
    EXPECT_EQ(QImage(QStringLiteral(":/image/lumivex.png")).size(), QSize(256, 256));

    const QString rules = Theme::sizeRules();
    EXPECT_FALSE(rules.contains(u'%'));
    EXPECT_TRUE(rules.contains(QStringLiteral("QRadioButton::indicator{width:15px;height:15px;}")));
    EXPECT_TRUE(rules.contains(QStringLiteral("QListWidget::indicator{width:13px;height:13px;}")));
    EXPECT_TRUE(rules.contains(QStringLiteral("::down-arrow{width:10px;height:10px;right:2px;}")));
}

TEST(Theme, FontFallsBackToAnInstalledChineseFamily)
{
    Theme::applyFont(*qApp);
    const QFont font = QApplication::font();
    EXPECT_EQ(font.family(), QStringLiteral("Microsoft Yahei"));
    EXPECT_EQ(font.pointSize(), 12);
    // Whatever family stands in must be able to draw Chinese.
    const QFontInfo shown(font);
    EXPECT_TRUE(QFontDatabase::writingSystems(shown.family()).contains(QFontDatabase::SimplifiedChinese))
        << shown.family().toStdString();
}

TEST(AppInit, WindowMarkedCanMoveFollowsALeftDragOnly)
{
    AppInit::Instance()->start();
    QWidget window;
    window.setProperty("canMove", true);
    window.move(100, 100);
    window.show();
    const QPoint start = window.pos();

    sendMouse(&window, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(150, 150));
    sendMouse(&window, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(180, 170));
    EXPECT_EQ(window.pos(), start);
    sendMouse(&window, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(180, 170));

    sendMouse(&window, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(150, 150));
    sendMouse(&window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(170, 180));
    EXPECT_EQ(window.pos(), start + QPoint(20, 30));
    sendMouse(&window, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(170, 180));
    sendMouse(&window, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(200, 200));
    EXPECT_EQ(window.pos(), start + QPoint(20, 30));
}
