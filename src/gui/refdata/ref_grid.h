#pragma once
// The list of a reference window: one row per record, whole-row selection, optional running numbers
// and sortable headers, per-row colours, and a remembered key of the selected row that survives
// refreshes and re-sorts.
#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <QVariant>
#include <functional>

struct TRefRow {
    QVariant key;
    QStringList cells;        // one text per data column (check columns ignore their text)
    QColor background;        // invalid: the grid's own colour
    QList<bool> checks;       // values of the check columns, in order
};

// What a reference window lists: the small model interface of the grid.
class TRefSource {
public:
    virtual ~TRefSource() = default;
    virtual QStringList headers() const = 0;
    // The rows in the order of this sort column (the source decides what a column sorts by).
    virtual QList<TRefRow> rows(int sortColumn) = 0;
    virtual bool sortable(int /*column*/) const { return false; }
    // Columns shown as check boxes.
    virtual QList<int> checkColumns() const { return {}; }
};

class TRefGrid : public QTableWidget {
    Q_OBJECT
public:
    // numbered: a first column "№п/п" with the running numbers 1 ... n.
    TRefGrid(TRefSource& source, bool numbered, QWidget* parent = nullptr);

    // Re-reads the rows, selects the remembered key (row 0 when none is remembered) and scrolls to it.
    void refresh();
    QVariant rememberedKey() const { return key_; }
    void setRememberedKey(const QVariant& key) { key_ = key; }
    void forget() { key_ = QVariant(); }
    // Selects the row of this key (refreshing is up to the caller); false when no row has it.
    bool selectKey(const QVariant& key);
    int sortColumn() const { return sortColumn_; }
    void sortBy(int dataColumn);
    QVariant keyOfRow(int row) const;
    // The text of a data column in the selected row (empty when none is selected).
    QString selectedText(int dataColumn) const;
    bool selectedCheck(int dataColumn) const;

signals:
    // A row was chosen (by the user or a refresh); an invalid key when the selection was left empty.
    void rowChosen(const QVariant& key);

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    void onSelection();
    void onHeaderClicked(int section);
    int dataColumn(int viewColumn) const { return viewColumn - (numbered_ ? 1 : 0); }
    int viewColumn(int dataColumn) const { return dataColumn + (numbered_ ? 1 : 0); }

    TRefSource& source_;
    bool numbered_;
    QVariant key_;
    int sortColumn_ = 0;
    bool filling_ = false;
};
