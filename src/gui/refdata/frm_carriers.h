#pragma once
// The carriers window: the data carriers known to the workstation and whether they are in service.
#include "db/refdata/carrier_ref_store.h"
#include "ref_window.h"

class QCheckBox;
class QLineEdit;
class TSerialEdit;

class TfrmCarriers : public TRefWindow {
    Q_OBJECT
public:
    explicit TfrmCarriers(TData& data, QWidget* parent = nullptr);

    TSerialEdit* edtSerial;
    QLineEdit* edtInitDate;
    QLineEdit* edtWriteDate;
    QLineEdit* edtReadDate;
    QCheckBox* chkInUse;
    QPushButton* btnChange;
    QPushButton* btnDelete;

protected:
    QStringList headers() const override { return {"Серийный номер"}; }
    QList<TRefRow> rows(int sortColumn) override;

    void showKey(const QVariant& key) override;
    void enterAddMode() override;
    void add() override;
    void addModeChanged(bool on) override;

private:
    void change();
    void remove();
    void clearEditor();

    TCarrierRefStore store_;
};
