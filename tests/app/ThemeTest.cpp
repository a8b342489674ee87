#include "AppInit.h"
#include "Theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

TEST(Theme, PaletteColourIsTheSevenCharactersFromIndexTwenty)
{
    EXPECT_EQ(Theme::paletteColourName(QStringLiteral("QPalette{background:#444444;}*{outline:0px;}")),
              QStringLiteral("#444444"));
    EXPECT_EQ(Theme::paletteColourName(QStringLiteral("QPalette{background:#FFFFFF;}*{outline:0px;color:#00BFFF;}")),
              QStringLiteral("#FFFFFF"));
}

TEST(Theme, SizeRulesFillEveryTemplate)
{
    const QString rules = Theme::sizeRules();
    EXPECT_FALSE(rules.contains(u'%'));
    EXPECT_TRUE(rules.startsWith(QStringLiteral("QComboBox::drop-down,QDateEdit::drop-down,QTimeEdit::drop-down,QDateTimeEdit::drop-down{width:20px;}")));
    EXPECT_TRUE(rules.contains(QStringLiteral("QRadioButton::indicator{width:15px;height:15px;}")));
    EXPECT_TRUE(rules.contains(QStringLiteral("QScrollBar:horizontal{min-height:12px;border-radius:6px;}")));
    EXPECT_TRUE(rules.endsWith(QStringLiteral("{border-width:0px 0px 0px 3px;}")));
}

TEST(Theme, FontFallsBackToAnInstalledChineseFamily)
{
    Theme::applyFont(*qApp);
    const QFont font = QApplication::font();
    EXPECT_EQ(font.family(), QStringLiteral("Microsoft Yahei"));
    EXPECT_EQ(font.pointSize(), 12);
    // Whatever family stands in must be able to draw Chinese.
    const QFontInfo shown(font);
    const QFontDatabase::WritingSystem chinese = QFontDatabase::SimplifiedChinese;
    EXPECT_TRUE(QFontDatabase::writingSystems(shown.family()).contains(chinese)) << shown.family().toStdString();
}

namespace {
void sendMouse(QWidget *w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint global)
{
    QMouseEvent event(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
} // namespace

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
