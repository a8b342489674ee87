#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Draws a cell's display text as a push button and reports a click on it, so a list of
// thousands of rows needs no button widget per row.
class ButtonDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Cells for which isButton says false are drawn and treated as plain text.
    void setButtonFilter(std::function<bool(const QModelIndex &)> isButton) { isButton_ = std::move(isButton); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    void clicked(const QModelIndex &index);

private:
    bool isButton(const QModelIndex &index) const { return !isButton_ || isButton_(index); }

    QPersistentModelIndex pressed_;
    std::function<bool(const QModelIndex &)> isButton_;
};
