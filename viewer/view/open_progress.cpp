#include "open_progress.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

namespace kestrel::view {
namespace {
constexpr int kBusySteps = 8;
constexpr int kBusyStepMs = 200;
} // namespace

COpenProgress::COpenProgress(QStatusBar& bar) : QWidget(&bar)
{
    setObjectName("openProgress");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    // An importer reports no progress, so the bar only shows that work goes on.
    auto* busy = new QProgressBar(this);
    busy->setRange(0, kBusySteps);
    busy->setValue(0);
    busy->setFixedWidth(120);
    busy->setMaximumHeight(16);
    busy->setTextVisible(false);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("cancelOpen");
    cancel->setToolTip(tr("Stop loading the file (Esc)"));
    cancel->setFocusPolicy(Qt::NoFocus);
    row->addWidget(busy);
    row->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &COpenProgress::cancelRequested);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), bar.window());
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, this, &COpenProgress::cancelRequested);
    connect(this, &COpenProgress::cancelRequested, escape, [escape] { escape->setEnabled(false); });
    escape_ = escape;
    busy_ = busy;
    stepTimer_.setInterval(kBusyStepMs);
    connect(&stepTimer_, &QTimer::timeout, this, &COpenProgress::Step);
    bar.addPermanentWidget(this);
    hide();
}

void COpenProgress::SetLoading(bool loading)
{
    setVisible(loading);
    escape_->setEnabled(loading);
    busy_->setValue(0);
    if (loading)
        stepTimer_.start();
    else
        stepTimer_.stop();
}

void COpenProgress::Step() { busy_->setValue(busy_->value() >= kBusySteps ? 0 : busy_->value() + 1); }

} // namespace kestrel::view
