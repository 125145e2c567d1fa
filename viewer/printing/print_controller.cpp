#include "print_controller.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "animation_hold.h"
#include "command_ids.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "print_page.h"
#include "print_picture.h"
#include "status_message.h"
#include "toolbar_icons.h"

namespace kestrel::printing {
namespace {

constexpr qreal kPreviewShare = 0.8;

// The preview's own action texts, as the print support names them.
const char* const kHiddenPreviewActions[] = {"Next page", "Previous page", "First page", "Last page",
                                             "Show single page", "Show facing pages",
                                             "Show overview of all pages"};

QAction* FindAction(QToolBar& toolbar, const QString& text)
{
    for (QAction* action : toolbar.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

void ShowText(QToolBar& toolbar, QAction* action, const QString& text, const QIcon& icon, const QString& tip)
{
    if (!action)
        return;
    action->setText(text);
    action->setIcon(icon);
    action->setToolTip(tip);
    if (auto* button = qobject_cast<QToolButton*>(toolbar.widgetForAction(action)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

} // namespace

CPrintController::CPrintController(view::CKestrelDoc& doc, view::CKestrelView& view, frame::CStatusMessage& status,
                                   QWidget* dialogParent, QObject* parent)
    : QObject(parent), doc_(doc), view_(view), status_(status), dialogParent_(dialogParent)
{
}

QPrinter& CPrintController::Printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setFromTo(1, 1);
    }
    return *printer_;
}

PixelSize CPrintController::ViewSize() const
{
    const qreal ratio = view_.devicePixelRatioF();
    return {std::max(1, int(std::lround(view_.width() * ratio))), std::max(1, int(std::lround(view_.height() * ratio)))};
}

bool CPrintController::PrintTo(QPrinter& printer, bool preview)
{
    AnimationHold hold(doc_.Data().model);
    const PixelSize view = ViewSize();
    const PixelSize picture =
        preview ? HalveUntilSmall(view, MaxPictureSide()) : PrintPictureSize(PrintableArea(printer), view, MaxPictureSide());
    const QImage image = DrawPrintPicture(doc_, picture, view);
    const bool painted = PaintPrintPage(printer, image);
    if (!painted)
        status_.Set(QString::fromLatin1(kPrintFailed), frame::CStatusMessage::kUnexpected);
    view_.update();
    return painted;
}

void CPrintController::NameTheJob()
{
    // The job, the preview's caption and a PDF's file name follow the document.
    const QString name = QFileInfo(doc_.PathName()).completeBaseName();
    Printer().setDocName(name.isEmpty() ? QStringLiteral("Kestrel") : name);
}

void CPrintController::Print()
{
    NameTheJob();
    Printer().setFromTo(1, 1);
    QPrintDialog dialog(&Printer(), dialogParent_);
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrintTo(Printer(), false);
    QApplication::restoreOverrideCursor();
}

void CPrintController::PrintPreview()
{
    bool printAfter = false;
    {
        AnimationHold hold(doc_.Data().model);
        NameTheJob();
        QPrintPreviewDialog dialog(&Printer(), dialogParent_);
        // The page is the point of the window: most of the main window's room goes to it.
        if (dialogParent_)
            dialog.resize(dialogParent_->size() * kPreviewShare);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
            PrintTo(*printer, true);
        });
        RestylePreviewToolbar(dialog, [&dialog, &printAfter] {
            printAfter = true;
            dialog.accept();
        });
        dialog.exec();
    }
    // Printing from the preview prints as File Print does, at the printer's resolution.
    if (printAfter)
        Print();
}

void CPrintController::PrintSetup()
{
    QPageSetupDialog dialog(&Printer(), dialogParent_);
    dialog.exec();
}

void CPrintController::RestylePreviewToolbar(QPrintPreviewDialog& dialog, const std::function<void()>& print)
{
    QToolBar* toolbar = dialog.findChild<QToolBar*>();
    if (!toolbar)
        return;
    for (const char* text : kHiddenPreviewActions)
        if (QAction* action = FindAction(*toolbar, QString::fromLatin1(text)))
            action->setVisible(false);
    // The page number and page count share one widget.
    for (QAction* action : toolbar->actions()) {
        QWidget* widget = toolbar->widgetForAction(action);
        if (widget && !qobject_cast<QToolButton*>(widget) && widget->findChild<QLabel*>())
            action->setVisible(false);
    }

    QAction* first = toolbar->actions().isEmpty() ? nullptr : toolbar->actions().first();
    auto* close = new QAction(toolbar);
    close->setObjectName(QStringLiteral("previewCloseAction"));
    toolbar->insertAction(first, close);
    QObject::connect(close, &QAction::triggered, &dialog, &QDialog::reject);
    ShowText(*toolbar, close, QStringLiteral("Close"),
             QIcon::fromTheme(QStringLiteral("window-close"), dialog.style()->standardIcon(QStyle::SP_DialogCloseButton)),
             QStringLiteral("Close the preview"));

    if (QAction* printAction = FindAction(*toolbar, QStringLiteral("Print"))) {
        toolbar->removeAction(printAction);
        toolbar->insertAction(first, printAction);
        QObject::disconnect(printAction, &QAction::triggered, nullptr, nullptr);
        QObject::connect(printAction, &QAction::triggered, &dialog, [print] { print(); });
        ShowText(*toolbar, printAction, QStringLiteral("Print"), frame::CommandIcon(cmd::kFilePrint),
                 QStringLiteral("Print the document"));
    }
    toolbar->insertSeparator(first);
    ShowText(*toolbar, FindAction(*toolbar, QStringLiteral("Zoom in")), QStringLiteral("Zoom In"),
             frame::CommandIcon(cmd::kZoomIn), QStringLiteral("Enlarge the page"));
    ShowText(*toolbar, FindAction(*toolbar, QStringLiteral("Zoom out")), QStringLiteral("Zoom Out"),
             frame::CommandIcon(cmd::kZoomOut), QStringLiteral("Shrink the page"));
    toolbar->setIconSize(QSize(16, 16));
}

} // namespace kestrel::printing
