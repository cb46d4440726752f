#include "ref_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TRefWindow::TRefWindow(const Options& options, Interaction& ui, QWidget* parent)
    : QWidget(parent), ui_(ui), options_(options)
{
    setWindowTitle(options_.caption);
    resize(options_.size);
    if (options_.minSize.isValid()) setMinimumSize(options_.minSize);
    if (options_.maxSize.isValid()) setMaximumSize(options_.maxSize);
}

void TRefWindow::build(QWidget* editor, const QList<QPushButton*>& editorButtons)
{
    grid_ = new TRefGrid(*this, options_.numbered);
    connect(grid_, &TRefGrid::rowChosen, this, [this](const QVariant& key) {
        if (key.isValid()) setAddMode(false);
        showKey(key);
    });

    auto* heading = new QLabel(options_.editorHeading);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : editorButtons) buttons->addWidget(b);

    btnRefresh = new QPushButton("Обновить");
    btnClose = new QPushButton("Закрыть");
    connect(btnRefresh, &QPushButton::clicked, this, &TRefWindow::refresh);
    connect(btnClose, &QPushButton::clicked, this, [this] {
        // The frame's sub-window closes (and frees) the window; alone, the widget closes itself.
        if (QWidget* w = parentWidget(); w && w->inherits("QMdiSubWindow")) w->close();
        else close();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnRefresh);
    bottom->addWidget(btnClose);

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(heading);
    layout->addWidget(editor);
    layout->addLayout(buttons);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setTabOrder(editorButtons.isEmpty() ? editor : editorButtons.last(), btnRefresh);
    setTabOrder(btnRefresh, btnClose);
}

QPushButton* TRefWindow::makeCreateButton()
{
    btnCreate = new QPushButton(options_.addMode ? "Создать" : "Добавить");
    connect(btnCreate, &QPushButton::clicked, this, &TRefWindow::onCreate);
    return btnCreate;
}

void TRefWindow::refresh()
{
    refreshLists();
    grid_->refresh();
}

void TRefWindow::setAddMode(bool on)
{
    addMode_ = on;
    if (btnCreate && options_.addMode) btnCreate->setText(on ? "Добавить" : "Создать");
    addModeChanged(on);
}

void TRefWindow::onCreate()
{
    if (options_.addMode && !addMode_) {
        setAddMode(true);
        enterAddMode();
        return;
    }
    add();
}
