#include "framework/qt/ListBoxItems.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace framework::qt {
namespace {

constexpr int kTextIndent = 1;

class WindowsLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics metrics(option.font);
        const QString text = index.data(Qt::DisplayRole).toString();
        return {kTextIndent + metrics.horizontalAdvance(text), metrics.height()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group =
            option.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        if (selected) {
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        }
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text = option.rect.adjusted(kTextIndent, 0, 0, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = option.rect;
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
        }
        painter->restore();
    }
};

}  // namespace

void drawLinesAsWindowsDoes(QListWidget& list) {
    list.setItemDelegate(new WindowsLineDelegate(&list));
    list.setTextElideMode(Qt::ElideNone);
}

QRect lineTextRect(const QListWidget& list, int row) {
    const QListWidgetItem* item = list.item(row);
    if (item == nullptr) {
        return {};
    }
    const QRect line = list.visualItemRect(item);
    const QFontMetrics metrics(list.font());
    return {line.x() + kTextIndent, line.y(), metrics.horizontalAdvance(item->text()),
            metrics.height()};
}

}  // namespace framework::qt
