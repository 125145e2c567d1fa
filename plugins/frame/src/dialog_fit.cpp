#include "plugframe/dialog_fit.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>

#include <algorithm>

namespace {

int TitleTextWidth(const QString& title)
{
    // Title bars usually use a bold variant of the application font.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title);
}

// Moves a laid-out window so that its centre is the owner's centre, kept on the owner's screen.
void CentreOn(QWidget& window, const QWidget* owner)
{
    QRect area;
    if (owner)
        area = owner->window()->frameGeometry();
    QScreen* screen = owner ? owner->screen() : QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty())
        area = available;
    QRect placed(QPoint(0, 0), window.size());
    placed.moveCenter(area.center());
    if (!available.isEmpty()) {
        placed.moveLeft(std::clamp(placed.left(), available.left(), std::max(available.left(), available.right() - placed.width())));
        placed.moveTop(std::clamp(placed.top(), available.top(), std::max(available.top(), available.bottom() - placed.height())));
    }
    window.move(placed.topLeft());
}

} // namespace

QWidget* VisibleOwner(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (w->window()->isVisible())
            return w->window();
    return nullptr;
}

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    QWidget* owner = VisibleOwner(parent);
    QMessageBox box(icon, title, text, buttons, owner ? owner : parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // A message box sizes itself to its text; a spacer row keeps it as wide as its title needs.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(WidthForTitle(TitleTextWidth(title)), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    // A message box takes its final size only when shown, so it is centred after that.
    box.show();
    CentreOn(box, owner);
    return QMessageBox::StandardButton(box.exec());
}

void FitToTitleAndPath(QDialog& dialog, QLineEdit* pathField)
{
    if (pathField) {
        const QFontMetrics metrics(pathField->font());
        const int margins = pathField->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, pathField) * 2 +
                            pathField->textMargins().left() + pathField->textMargins().right() + 8;
        pathField->setMinimumWidth(
            std::max(pathField->minimumWidth(), metrics.averageCharWidth() * kVisiblePathCharacters + margins));
    }
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), WidthForTitle(TitleTextWidth(dialog.windowTitle()))));
    dialog.adjustSize();
}
