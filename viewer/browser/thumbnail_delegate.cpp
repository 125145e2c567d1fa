#include "thumbnail_delegate.h"

#include <QApplication>
#include <QPainter>

#include "thumbnail_geometry.h"

namespace kestrel::browser {
namespace {
constexpr int kMargin = 6;
constexpr int kTextGap = 3;
constexpr int kTextWidth = thumbnail::kWidth + 16;
} // namespace

QSize CThumbnailDelegate::CellSize(const QFontMetrics& metrics)
{
    return QSize(kTextWidth + 2 * kMargin, thumbnail::kHeight + kTextGap + metrics.height() + 2 * kMargin);
}

QSize CThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return CellSize(option.fontMetrics);
}

void CThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const QRect cell = option.rect;
    const QRect picture(cell.x() + (cell.width() - thumbnail::kWidth) / 2, cell.y() + kMargin, thumbnail::kWidth,
                        thumbnail::kHeight);
    const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
    if (!pixmap.isNull())
        painter->drawPixmap(picture.topLeft() + QPoint((picture.width() - pixmap.width()) / 2,
                                                       (picture.height() - pixmap.height()) / 2),
                            pixmap);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    if (selected) {
        painter->setPen(palette.color(QPalette::Highlight));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(picture.adjusted(-1, -1, 0, 0));
    }
    const QRect text(cell.x() + kMargin, picture.bottom() + 1 + kTextGap, cell.width() - 2 * kMargin,
                     option.fontMetrics.height());
    const QString name = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideMiddle, text.width());
    if (selected) {
        const int width = option.fontMetrics.horizontalAdvance(name) + 4;
        const QRect band(text.x() + (text.width() - width) / 2, text.y(), width, text.height());
        painter->fillRect(band, palette.color(QPalette::Highlight));
        painter->setPen(palette.color(QPalette::HighlightedText));
    } else {
        painter->setPen(palette.color(QPalette::Text));
    }
    painter->drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, name);
    if (option.state & QStyle::State_HasFocus && selected) {
        QStyleOptionFocusRect focus;
        focus.rect = cell.adjusted(1, 1, -1, -1);
        focus.state = option.state;
        focus.palette = palette;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
}

} // namespace kestrel::browser
