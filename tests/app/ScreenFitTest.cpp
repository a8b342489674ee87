// SPDX-License-Identifier: Apache-2.0
// The window on the smallest screen we support, 1280×720: the records in view and no text cut,
// in both languages and every result kind; the instrument is read only once the window shows;
// it starts in Chinese and its language buttons switch.
#include "FirstPageFor310.h"
#include "InstrumentRig.h"
#include "MainWindow.h"
#include "MeterPageFor310.h"
#include "RbTableHeaderModel.h"
#include "RbTableHeaderView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QSize SmallScreen(1280, 720);

int advance(const QWidget *widget, const QString &text)
{
    return widget->fontMetrics().horizontalAdvance(text);
}

// "object: text" for every shown label, button and table text wider than the room it was given.
QStringList cutTexts(const QWidget &top)
{
    QStringList cut;
    const auto check = [&cut](const QObject *owner, const QString &text, int needed, int room) {
        if (needed > room)
            cut << QStringLiteral("%1: %2 (%3 > %4)").arg(owner->objectName(), text).arg(needed).arg(room);
    };
    for (const QWidget *w : top.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&top))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w); label && !label->wordWrap())
            check(label, label->text(), advance(label, label->text()), label->contentsRect().width());
        if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QStyle::SubElement contents = qobject_cast<const QRadioButton *>(w) ? QStyle::SE_RadioButtonContents
                                                : qobject_cast<const QCheckBox *>(w)  ? QStyle::SE_CheckBoxContents
                                                                                      : QStyle::SE_PushButtonContents;
            check(button, button->text(), advance(button, button->text()),
                  button->style()->subElementRect(contents, &option, button).width());
        }
    }
    // The comparison table's cells, and the record list's headings.
    const auto *comparison = top.findChild<QTableWidget *>(QStringLiteral("tableWidget_colorDiff"));
    for (int row = 0; comparison && row < comparison->rowCount(); ++row)
        for (int column = 0; column < comparison->columnCount() && !comparison->isRowHidden(row); ++column)
            if (const QTableWidgetItem *item = comparison->item(row, column))
                check(comparison, item->text(), advance(comparison, item->text()) + 6, comparison->columnWidth(column));
    const auto *list = top.findChild<QTableView *>(QStringLiteral("tableWidget_data"));
    if (const auto *header = list ? qobject_cast<RbTableHeaderView *>(list->horizontalHeader()) : nullptr) {
        const RbTableHeaderModel *model = header->headerModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex cell = model->index(row, column);
                const QString text = cell.data().toString();
                if (text.isEmpty() || list->isColumnHidden(column))
                    continue;
                int room = 0;
                for (int c = column; c < column + std::max(1, cell.data(RbTableHeaderModel::ColumnSpanRole).toInt()); ++c)
                    room += list->isColumnHidden(c) ? 0 : list->columnWidth(c);
                check(header, text, advance(header, text) + 7, room);
            }
        }
    }
    return cut;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST(ScreenFit, RecordsInViewAndNoTextCutAt1280x720)
{
    InstrumentRig rig;
    MainWindow window;
    window.resize(SmallScreen);
    // What the connection reads say needs the window behind it: building the window reads nothing.
    EXPECT_TRUE(rig.instrument->requestLog().isEmpty());
    EXPECT_FALSE(window.isDeviceOpen());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.start();
    EXPECT_TRUE(window.isDeviceOpen());
    EXPECT_EQ(rig.catcher.texts(), QStringList{QStringLiteral("读取成功！")});
    const auto *list = window.findChild<QTableView *>(QStringLiteral("tableWidget_data"));
    const auto *clear = window.findChild<QAbstractButton *>(QStringLiteral("pushButton_clear"));
    EXPECT_EQ(clear->text(), QStringLiteral("清空"));
    // Qt's own buttons (message boxes, file and print dialogs) follow the language too.
    for (const auto &[language, clearText, yes] : {std::tuple{"btnLanguageEn", "Clear", "&Yes"}, {"btnLanguageZh", "清空", "是(&Y)"}}) {
        window.findChild<QAbstractButton *>(QLatin1String(language))->click();
        for (int kind = 0; kind < 6; ++kind) {
            rig.instrument->setDisplayParam(kind);
            window.page()->readDeviceSettings();
            settle();
            SCOPED_TRACE(testing::Message() << language << ", result kind " << kind);
            EXPECT_EQ(clear->text(), QString::fromUtf8(clearText));
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(yes));
            EXPECT_LE(window.width(), SmallScreen.width()) << "wider than the screen";
            EXPECT_GE(list->viewport()->height() / list->verticalHeader()->defaultSectionSize(), 8);
            const QStringList cut = cutTexts(window);
            EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
        }
    }
}

TEST(ScreenFit, SpectralDialogFitsTheScreenWithItsChartTallest)
{
    InstrumentRig rig;
    MainWindow window;
    window.on_btnLanguageEn_clicked();
    MeterPageFor310 dialog(window.linkPort(), 0, &window);
    EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
    EXPECT_LE(dialog.minimumSizeHint().width(), SmallScreen.width());
    dialog.resize(SmallScreen - QSize(40, 40));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    settle();
    EXPECT_GT(dialog.findChild<QWidget *>(QStringLiteral("widget_chart"))->height(),
              dialog.findChild<QTableView *>(QStringLiteral("tableWidget_data"))->height());
    const QStringList cut = cutTexts(dialog);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
