#include "progress_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kFirstTickMs = 150;  // short operations finish before the window has to repaint
constexpr int kTickMs = 100;
}  // namespace

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("ProgressForm");
    setModal(true);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, 100);
    btnAbort_ = new QPushButton("Abort", this);
    btnAbort_->setObjectName("btnAbort");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(btnAbort_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);

    connect(btnAbort_, &QPushButton::clicked, this, [this] {
        if (source_) source_->requestAbort();
    });
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TProgressForm::tick);
}

void TProgressForm::follow(ProgressSource& source, const QString& caption)
{
    if (!source.busy()) return;
    source_ = &source;
    setWindowTitle(caption);
    bar_->setValue(0);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(sizeHint().width() / 2, sizeHint().height() / 2));
    timer_.start(kFirstTickMs);
    exec();
    timer_.stop();
    source_ = nullptr;
}

void TProgressForm::tick()
{
    timer_.setInterval(kTickMs);
    if (!source_) return;
    bar_->setValue(std::clamp(source_->percent(), 0, 100));
    if (!source_->busy()) accept();
}

void TProgressForm::reject()
{
    if (!sourceBusy()) QDialog::reject();
}

void TProgressForm::closeEvent(QCloseEvent* event)
{
    if (sourceBusy()) event->ignore();
    else QDialog::closeEvent(event);
}
