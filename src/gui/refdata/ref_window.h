#pragma once
// The one pattern of the reference windows: a child window of the main frame that exists once, with
// the list in the upper part, the editor of the selected row below it, the editor's buttons (with
// the add mode of "Создать", which reads "Добавить" while a new record is being entered), and
// "Закрыть" and "Обновить" at the bottom. A window supplies its rows (TRefSource), its editor and
// what its buttons do; the grid keeps the selected key across refreshes and re-sorts.
#include "ref_grid.h"

#include <QSize>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QPushButton;
class Interaction;

class TRefWindow : public QWidget, protected TRefSource {
    Q_OBJECT
public:
    struct Options {
        QString caption;
        QString editorHeading;
        QSize size, minSize, maxSize;
        bool numbered = false;
        bool addMode = true;  // "Создать" / "Добавить"; false: a plain "Добавить"
    };

    TRefWindow(const Options& options, Interaction& ui, QWidget* parent = nullptr);

    TRefGrid* grid() const { return grid_; }
    // Re-reads the lists of the window and the grid (the "Обновить" button).
    void refresh();
    bool addMode() const { return addMode_; }

    QPushButton* btnCreate = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnRefresh = nullptr;

protected:
    // Call once from the subclass's constructor: builds the layout around the editor and refreshes.
    void build(QWidget* editor, const QList<QPushButton*>& editorButtons);
    // "Создать" (or "Добавить" without add mode), wired to the add mode and add().
    QPushButton* makeCreateButton();

    // A row was chosen (invalid key: none).
    virtual void showKey(const QVariant& key) = 0;
    // The first press of "Создать": prepare the editor for a new record.
    virtual void enterAddMode() {}
    // The second press ("Добавить"), or the only press without add mode.
    virtual void add() = 0;
    // Enabling of the editor's buttons when the mode changes.
    virtual void addModeChanged(bool /*on*/) {}
    // Before the grid is re-read: the window's other lists (types, free recorders).
    virtual void refreshLists() {}

    void setAddMode(bool on);

    QSize sizeHint() const override { return options_.size; }

    Interaction& ui_;

private:
    void onCreate();

    Options options_;
    TRefGrid* grid_ = nullptr;
    bool addMode_ = false;
};
