#pragma once
#include <QStyledItemDelegate>

namespace kestrel::browser {

// Thumbnail mode's cells: the picture untinted and centred, a one-pixel frame in the
// highlight colour just outside it when selected, the name below. Every cell is one size,
// so laying out a large folder asks for no picture.
class CThumbnailDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static QSize CellSize(const QFontMetrics& metrics);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kestrel::browser
