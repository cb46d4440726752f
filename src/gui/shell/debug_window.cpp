#include "debug_window.h"

#include "core/app_state.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmDebug::TfrmDebug(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmDebug");
    setWindowTitle("Вспомогательное окно");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* label = new QLabel("Калибровочные  значения:", this);
    label->setObjectName("lblCalibration");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    memCalibration_ = new QPlainTextEdit(this);
    memCalibration_->setObjectName("memCalibration");
    memCalibration_->setReadOnly(true);
    memCalibration_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // One tab stop holds the longest coefficient name, so the columns line up.
    memCalibration_->setTabStopDistance(QFontMetricsF(memCalibration_->font()).horizontalAdvance("Upower_2__"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(memCalibration_);
    resize(420, 520);
}

void TfrmDebug::showEvent(QShowEvent* event)
{
    QString text = AppState().CalibrationValuesText;
    memCalibration_->setPlainText(text.replace("\r\n", "\n"));
    QWidget::showEvent(event);
}
