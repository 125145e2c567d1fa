#include "status_panes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

#include "status_message.h"
#include "toolbar_icons.h"

namespace kestrel::frame {

namespace {
QLabel* MakePane(QStatusBar& bar, const QString& text, int width, int id)
{
    auto* label = new QLabel(text, &bar);
    label->setObjectName(QString("pane%1").arg(id));
    label->setMinimumWidth(width);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}
} // namespace

CStatusPanes::CStatusPanes(QStatusBar& bar, const CStatusMessage& message) : QObject(&bar), message_(message)
{
    spare_ = MakePane(bar, QString(), 90, kSpare);
    bar.addWidget(spare_);

    auto* messagePane = new QFrame(&bar);
    messagePane->setObjectName(QString("pane%1").arg(kMessage));
    messagePane->setFrameShape(QFrame::StyledPanel);
    messagePane->setFrameShadow(QFrame::Sunken);
    messagePane->setMinimumWidth(250);
    auto* row = new QHBoxLayout(messagePane);
    row->setContentsMargins(2, 0, 2, 0);
    icon_ = new QLabel(messagePane);
    icon_->setFixedSize(16, 16);
    text_ = new QLabel(messagePane);
    row->addWidget(icon_);
    row->addWidget(text_, 1);
    bar.addWidget(messagePane, 1);

    speed_ = MakePane(bar, "Animation Speed: 1.00", 114, kSpeed);
    frame_ = MakePane(bar, "Frame: 1/1", 99, kFrame);
    fps_ = MakePane(bar, "FPS: 0.00", 57, kFps);
    speed_->setEnabled(false);
    frame_->setEnabled(false);
    bar.addPermanentWidget(speed_);
    bar.addPermanentWidget(frame_);
    bar.addPermanentWidget(fps_);
    ShowMessage();
}

QLabel* CStatusPanes::Label(int pane) const
{
    switch (pane) {
    case kSpare: return spare_;
    case kMessage: return text_;
    case kSpeed: return speed_;
    case kFrame: return frame_;
    case kFps: return fps_;
    default: return nullptr;
    }
}

void CStatusPanes::ShowMessage()
{
    text_->setText(message_.Text());
    const QIcon icon = frame::SeverityIcon(message_.Severity());
    icon_->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
}

} // namespace kestrel::frame
