#pragma once
// The auxiliary window of the service mode: the last calibration-values report.
#include <QWidget>

class QPlainTextEdit;

class TfrmDebug : public QWidget {
    Q_OBJECT
public:
    explicit TfrmDebug(QWidget* parent = nullptr);
    QPlainTextEdit* memo() const { return memCalibration_; }

protected:
    void showEvent(QShowEvent* event) override;  // the report may have changed since last time

private:
    QPlainTextEdit* memCalibration_;
};
