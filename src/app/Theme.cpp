#include "Theme.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>

namespace Theme {

QString paletteColourName(const QString &styleSheet)
{
    return styleSheet.mid(20, 7);
}

bool applyTheme(QApplication &app)
{
    QFile file(QStringLiteral(":/qss/psblue.css"));
    if (!file.open(QFile::ReadOnly))
        return false;
    const QString qss = QString::fromLatin1(file.readAll());
    app.setPalette(QPalette(QColor(paletteColourName(qss))));
    app.setStyleSheet(qss);
    return true;
}

void applyFont(QApplication &app)
{
    const QString family = QStringLiteral("Microsoft Yahei");
    // Linux has no Microsoft Yahei; without a CJK substitute Chinese would show as boxes.
    if (!QFontDatabase::hasFamily(family))
        QFont::insertSubstitutions(family, {QStringLiteral("Noto Sans CJK SC"),
                                            QStringLiteral("Noto Sans SC"),
                                            QStringLiteral("WenQuanYi Micro Hei")});
    app.setFont(QFont(family, 12));
}

QString sizeRules()
{
    return QStringLiteral("QComboBox::drop-down,QDateEdit::drop-down,QTimeEdit::drop-down,"
                          "QDateTimeEdit::drop-down{width:%1px;}")
               .arg(20)
        + QStringLiteral("QComboBox::down-arrow,QDateEdit[calendarPopup=\"true\"]::down-arrow,"
                         "QTimeEdit[calendarPopup=\"true\"]::down-arrow,"
                         "QDateTimeEdit[calendarPopup=\"true\"]::down-arrow{width:%1px;height:%1px;right:2px;}")
              .arg(10)
        + QStringLiteral("QRadioButton::indicator{width:%1px;height:%1px;}").arg(15)
        + QStringLiteral("QCheckBox::indicator,QGroupBox::indicator,QTreeWidget::indicator,"
                         "QListWidget::indicator{width:%1px;height:%1px;}")
              .arg(13)
        + QStringLiteral("QScrollBar:horizontal{min-height:%1px;border-radius:%2px;}"
                         "QScrollBar::handle:horizontal{border-radius:%2px;}"
                         "QScrollBar:vertical{min-width:%1px;border-radius:%2px;}"
                         "QScrollBar::handle:vertical{border-radius:%2px;}")
              .arg(12)
              .arg(6)
        + QStringLiteral("QWidget#widget_top>QToolButton:pressed,QWidget#widget_top>QToolButton:hover,"
                         "QWidget#widget_top>QToolButton:checked,QWidget#widget_top>QLabel:hover"
                         "{border-width:0px 0px %1px 0px;}")
              .arg(3)
        + QStringLiteral("QWidget#widgetleft>QPushButton:checked,QWidget#widgetleft>QToolButton:checked,"
                         "QWidget#widgetleft>QPushButton:pressed,QWidget#widgetleft>QToolButton:pressed"
                         "{border-width:0px 0px 0px %1px;}")
              .arg(3);
}

} // namespace Theme
