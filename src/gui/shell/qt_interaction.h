#pragma once
// Interaction answered with modal Qt message boxes and file dialogs.
#include "core/interaction.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void error(const QString& text, const QString& caption = {}) override;
    void warning(const QString& text, const QString& caption = {}) override;
    void information(const QString& text, const QString& caption = {}) override;
    void plain(const QString& text, const QString& caption = {}) override;
    bool askYesNo(const QString& text, const QString& caption = {}) override;
    Answer askYesNoCancel(const QString& text, const QString& caption = {}) override;
    QString chooseOpenFile(const QString& caption, const QString& dir, const QString& filter) override;
    QString chooseSaveFile(const QString& caption, const QString& dir, const QString& filter) override;

    // The box that a message would show, not yet executed (lets tests look at icon and buttons).
    static QMessageBox* makeBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons);

private:
    QMessageBox::StandardButton run(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                    QMessageBox::StandardButtons buttons);
    QPointer<QWidget> parent_;
};
