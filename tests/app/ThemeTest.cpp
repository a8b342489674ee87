// The compiled-in theme, the font, and dragging a frameless window.
#include "AppInit.h"
#include "Theme.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

QStringList parseWarnings;

} // namespace

// The theme names its palette colour and parses; the indicator and arrow images it draws with are
// compiled in, at the sizes of their rules.
TEST(Theme, NamesItsPaletteColourParsesAndReferencesEveryImageCompiledIn)
{
    QFile file(QStringLiteral(":/qss/psblue.css"));
    ASSERT_TRUE(file.open(QFile::ReadOnly)) << "theme missing from the resources";
    const QString qss = QString::fromLatin1(file.readAll());
    EXPECT_EQ(Theme::paletteColourName(qss), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(Theme::paletteColourName(QStringLiteral("QPalette{background:#444444;}*{outline:0px;}")),
              QStringLiteral("#444444"));
    // The whole sheet is parsed once one widget under it is polished.
    const auto collect = [](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtWarningMsg && text.contains(QStringLiteral("parse"), Qt::CaseInsensitive))
            parseWarnings << text;
    };
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    QWidget window;
    window.setStyleSheet(qss);
    window.ensurePolished();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(parseWarnings.isEmpty()) << parseWarnings.join(u'\n').toStdString();

    static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    QSet<QString> referenced;
    for (const auto &match : url.globalMatch(qss))
        referenced.insert(match.captured(1));
    EXPECT_EQ(referenced.size(), 18);
    for (const QString &path : referenced) {
        const int size = path.contains("/checkbox") ? 13 : path.contains("/radiobutton") ? 15
                       : path.contains("/calendar") ? 16 : 10;
        EXPECT_EQ(QImage(path).size(), QSize(size, size)) << path.toStdString();
    }
    EXPECT_EQ(QImage(QStringLiteral(":/image/lumivex.png")).size(), QSize(256, 256));
    const QString rules = Theme::sizeRules();
    EXPECT_FALSE(rules.contains(u'%'));
    for (const char *rule : {"QRadioButton::indicator{width:15px;height:15px;}",
                             "QListWidget::indicator{width:13px;height:13px;}", "::down-arrow{width:10px;height:10px;right:2px;}"})
        EXPECT_TRUE(rules.contains(QLatin1String(rule))) << rule;
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
    const auto send = [&window, start](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint global) {
        QMouseEvent event(type, QPointF(window.mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
        return window.pos() - start;
    };
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {150, 150});
    EXPECT_EQ(send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {180, 170}), QPoint(0, 0));
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {180, 170});
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {150, 150});
    EXPECT_EQ(send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {170, 180}), QPoint(20, 30));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {170, 180});
    EXPECT_EQ(send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {200, 200}), QPoint(20, 30));
}
