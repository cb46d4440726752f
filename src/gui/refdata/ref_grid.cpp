#include "ref_grid.h"

#include <QHeaderView>
#include <QMouseEvent>

TRefGrid::TRefGrid(TRefSource& source, bool numbered, QWidget* parent)
    : QTableWidget(parent), source_(source), numbered_(numbered)
{
    QStringList headers = source_.headers();
    if (numbered_) headers.prepend("№п/п");
    setColumnCount(headers.size());
    setHorizontalHeaderLabels(headers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    setWordWrap(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TRefGrid::onHeaderClicked);
    connect(this, &QTableWidget::itemSelectionChanged, this, &TRefGrid::onSelection);
}

void TRefGrid::refresh()
{
    const QList<TRefRow> rows = source_.rows(sortColumn_);
    const QList<int> checks = source_.checkColumns();
    filling_ = true;
    clearSelection();
    setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const TRefRow& row = rows[r];
        auto put = [&](int col, QTableWidgetItem* item) {
            if (row.background.isValid()) item->setBackground(row.background);
            if (col == 0) item->setData(Qt::UserRole, row.key);
            setItem(r, col, item);
        };
        if (numbered_) put(0, new QTableWidgetItem(QString::number(r + 1)));
        for (int c = 0; c < row.cells.size(); ++c) {
            auto* item = new QTableWidgetItem;
            const int check = checks.indexOf(c);
            if (check >= 0) item->setCheckState(row.checks.value(check) ? Qt::Checked : Qt::Unchecked);
            else item->setText(row.cells[c]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            put(viewColumn(c), item);
        }
        if (!numbered_ && row.cells.isEmpty()) put(0, new QTableWidgetItem);
    }
    filling_ = false;
    // Every column but the last (which stretches) as wide as its widest text.
    resizeColumnsToContents();
    for (int c = numbered_ ? 1 : 0; c < columnCount() - 1; ++c)
        setColumnWidth(c, qMax(columnWidth(c), 100));
    if (!(key_.isValid() && selectKey(key_))) {
        if (!key_.isValid() && rowCount() > 0) selectKey(keyOfRow(0));
        else emit rowChosen(QVariant());
    }
}

QVariant TRefGrid::keyOfRow(int row) const
{
    const QTableWidgetItem* it = item(row, 0);
    return it ? it->data(Qt::UserRole) : QVariant();
}

bool TRefGrid::selectKey(const QVariant& key)
{
    for (int r = 0; r < rowCount(); ++r) {
        if (keyOfRow(r) == key) {
            // Report the choice once, also when the row was already selected.
            filling_ = true;
            selectRow(r);
            filling_ = false;
            scrollToItem(item(r, 0));
            onSelection();
            return true;
        }
    }
    return false;
}

void TRefGrid::onSelection()
{
    if (filling_) return;
    const QList<QTableWidgetItem*> items = selectedItems();
    if (items.isEmpty()) {
        emit rowChosen(QVariant());
        return;
    }
    key_ = keyOfRow(items.first()->row());
    emit rowChosen(key_);
}

QString TRefGrid::selectedText(int dataColumn) const
{
    const QList<QTableWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return {};
    const QTableWidgetItem* it = item(items.first()->row(), viewColumn(dataColumn));
    return it ? it->text() : QString();
}

bool TRefGrid::selectedCheck(int dataColumn) const
{
    const QList<QTableWidgetItem*> items = selectedItems();
    if (items.isEmpty()) return false;
    const QTableWidgetItem* it = item(items.first()->row(), viewColumn(dataColumn));
    return it && it->checkState() == Qt::Checked;
}

void TRefGrid::sortBy(int column)
{
    sortColumn_ = column;
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(viewColumn(column), Qt::AscendingOrder);
    refresh();
}

void TRefGrid::onHeaderClicked(int section)
{
    const int column = dataColumn(section);
    if (column >= 0 && source_.sortable(column)) sortBy(column);
}

void TRefGrid::mousePressEvent(QMouseEvent* e)
{
    // A click below the last row leaves no row selected and forgets the remembered key.
    if (!indexAt(e->position().toPoint()).isValid()) {
        clearSelection();
        key_ = QVariant();
    }
    QTableWidget::mousePressEvent(e);
}
