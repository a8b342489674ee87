#include "ButtonDelegate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

QStyleOptionButton buttonOption(const QStyleOptionViewItem &option, const QModelIndex &index, bool sunken)
{
    QStyleOptionButton button;
    button.rect = option.rect.adjusted(1, 1, -1, -1);
    button.text = index.data(Qt::DisplayRole).toString();
    button.state = QStyle::State_Enabled | (sunken ? QStyle::State_Sunken : QStyle::State_Raised);
    button.palette = option.palette;
    button.fontMetrics = option.fontMetrics;
    return button;
}

} // namespace

void ButtonDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!isButton(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QStyleOptionButton button = buttonOption(option, index, pressed_ == index);
    style->drawControl(QStyle::CE_PushButton, &button, painter, nullptr);
}

QSize ButtonDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize text = option.fontMetrics.size(Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    return text + QSize(12, 6);
}

bool ButtonDelegate::editorEvent(QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option,
                                 const QModelIndex &index)
{
    const auto *mouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
                            ? static_cast<QMouseEvent *>(event)
                            : nullptr;
    if (!mouse || mouse->button() != Qt::LeftButton || !isButton(index))
        return false;
    const bool inside = option.rect.contains(mouse->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress) {
        pressed_ = inside ? QPersistentModelIndex(index) : QPersistentModelIndex();
        return inside;
    }
    const bool click = inside && pressed_ == index;
    pressed_ = QPersistentModelIndex();
    if (click)
        emit clicked(index);
    return click;
}
