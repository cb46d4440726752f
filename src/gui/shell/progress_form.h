#pragma once
// The modal progress window of long device operations: a bar that follows the operation's percent
// value and an "Abort" button that asks the operation to stop. It closes only when the operation
// is no longer busy, so nothing else can start on the link meanwhile.
#include "core/progress_host.h"

#include <QDialog>
#include <QTimer>

class QProgressBar;
class QPushButton;

class TProgressForm : public QDialog, public ProgressHost {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    // Shows the window modally with the given caption and returns when source.busy() is false.
    void follow(ProgressSource& source, const QString& caption) override;

    QProgressBar* bar() const { return bar_; }
    QPushButton* abortButton() const { return btnAbort_; }

public slots:
    void reject() override;  // Escape and the close box wait for the operation like everything else

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void tick();
    bool sourceBusy() const { return source_ && source_->busy(); }

    QProgressBar* bar_;
    QPushButton* btnAbort_;
    QTimer timer_;
    ProgressSource* source_ = nullptr;
};
