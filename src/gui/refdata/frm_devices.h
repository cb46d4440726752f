#pragma once
// The recorders window: serial number and versions of each recorder, and freeing a recorder from
// its car. Double-clicking a bound recorder opens the cars window at its car.
#include "db/refdata/recorder_ref_store.h"
#include "ref_window.h"

#include <functional>

class QLineEdit;
class TSerialEdit;

class TfrmDevices : public TRefWindow {
    Q_OBJECT
public:
    explicit TfrmDevices(TData& data, QWidget* parent = nullptr);

    // Opens the cars window at a car (set by whoever owns the windows).
    std::function<void(const QString& carNumber)> showCar;

    TSerialEdit* edtSerial;
    QLineEdit* edtHW;
    QLineEdit* edtSW;
    QPushButton* btnChange;
    QPushButton* btnDelete;
    QPushButton* btnFree;

protected:
    QStringList headers() const override { return {"Серийный номер", "Автомобиль"}; }
    QList<TRefRow> rows(int sortColumn) override;
    bool sortable(int column) const override { return column == 0 || column == 1; }

    void showKey(const QVariant& key) override;
    void enterAddMode() override;
    void add() override;
    void addModeChanged(bool on) override;

private:
    void change();
    void remove();
    void free();
    void onDoubleClick(int row);
    // The versions as numbers; false after the warning about the field in question.
    bool versions(int& hw, int& sw);

    TRecorderRefStore store_;
};
