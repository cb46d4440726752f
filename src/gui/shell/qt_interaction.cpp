#include "qt_interaction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>

namespace {

QString orDefault(const QString& caption, const char* fallback)
{
    return caption.isEmpty() ? QString::fromUtf8(fallback) : caption;
}

void russianButtonTexts(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "Да"}, {QMessageBox::No, "Нет"}, {QMessageBox::Cancel, "Отмена"}, {QMessageBox::Ok, "OK"}};
    for (auto [button, text] : texts)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(text));
}

}  // namespace

QMessageBox* QtInteraction::makeBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
                                    QMessageBox::StandardButtons buttons)
{
    auto* box = new QMessageBox(icon, caption, text, buttons, parent);
    russianButtonTexts(*box);
    box->setTextFormat(Qt::PlainText);
    return box;
}

QMessageBox::StandardButton QtInteraction::run(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    QMessageBox* box = makeBox(parent_, icon, caption, text, buttons);
    const auto result = QMessageBox::StandardButton(box->exec());
    delete box;
    return result;
}

void QtInteraction::error(const QString& text, const QString& caption)
{
    run(QMessageBox::Critical, orDefault(caption, "Ошибка"), text, QMessageBox::Cancel);
}

void QtInteraction::warning(const QString& text, const QString& caption)
{
    run(QMessageBox::Warning, orDefault(caption, "Предупреждение"), text, QMessageBox::Ok);
}

void QtInteraction::information(const QString& text, const QString& caption)
{
    run(QMessageBox::Information, orDefault(caption, "Информация"), text, QMessageBox::Ok);
}

void QtInteraction::plain(const QString& text, const QString& caption)
{
    run(QMessageBox::NoIcon, caption.isEmpty() ? QApplication::applicationName() : caption, text, QMessageBox::Ok);
}

bool QtInteraction::askYesNo(const QString& text, const QString& caption)
{
    return run(QMessageBox::Question, orDefault(caption, "Подтверждение"), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Interaction::Answer QtInteraction::askYesNoCancel(const QString& text, const QString& caption)
{
    switch (run(QMessageBox::Question, orDefault(caption, "Подтверждение"), text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString QtInteraction::chooseOpenFile(const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, caption, dir, filter);
}

QString QtInteraction::chooseSaveFile(const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, caption, dir, filter);
}
