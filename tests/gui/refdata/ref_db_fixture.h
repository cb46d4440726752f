#pragma once
// A fresh embedded database in a temporary directory with the current schema, a scripted user and
// helpers to set up rows and read them back around a window.
#include "data.h"
#include "db_create.h"
#include "schema_upgrade.h"
#include "core/serial_number.h"
#include "scripted_interaction.h"
#include "temp_dir.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class RefDbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        const QString path = dir_.file("Kem_M.fdb");
        ASSERT_TRUE(CreateDatabase(path, "SYSDBA", "plumbline", error)) << error.toStdString();
        data_ = std::make_unique<TData>(ui_);
        ASSERT_TRUE(data_->Open(path)) << data_->LastErrorText().toStdString();
        UpgradeSchema(*data_);
        ui_.clear();
    }

    // Runs setup statements outside the windows and commits them.
    void sql(const QString& statement, const QVariantList& values = {})
    {
        ASSERT_TRUE(data_->Exec(statement, values)) << statement.toStdString();
        ASSERT_TRUE(data_->Commit());
    }

    // The first column of the first row (invalid when no row), read in a fresh transaction.
    QVariant scalar(const QString& query, const QVariantList& values = {})
    {
        data_->Commit();
        std::optional<TDbRow> row;
        EXPECT_TRUE(data_->SelectOne(query, values, row)) << query.toStdString();
        data_->Commit();
        if (!row || row->values().isEmpty()) return {};
        return row->values().first();
    }
    int count(const QString& table, const QString& where = "1 = 1", const QVariantList& values = {})
    {
        return scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where, values).toInt();
    }

    // The server refuses every commit while a row of this table matches the condition.
    void refuseCommitWhen(const QString& table, const QString& condition)
    {
        sql("CREATE EXCEPTION E_REFUSED 'commit refused'");
        sql("CREATE TRIGGER T_REFUSE ON TRANSACTION COMMIT AS BEGIN IF (EXISTS(SELECT 1 FROM " + table + " WHERE " +
            condition + ")) THEN EXCEPTION E_REFUSED; END");
    }
    // Statements changing this table fail while the new row matches the condition.
    void refuseUpdateWhen(const QString& table, const QString& condition)
    {
        sql("CREATE EXCEPTION E_BAD_ROW 'row refused'");
        sql("CREATE TRIGGER T_BAD_ROW FOR " + table + " BEFORE INSERT OR UPDATE AS BEGIN IF (" + condition +
            ") THEN EXCEPTION E_BAD_ROW; END");
    }

    // The errors and warnings shown, without the diagnostic statement texts.
    QStringList shown() const
    {
        QStringList out;
        for (const auto& m : ui_.messages())
            if (m.kind != "plain") out << m.text;
        return out;
    }

    TestDir dir_;
    ScriptedInteraction ui_;
    std::unique_ptr<TData> data_;
};

// Valid recorder and carrier serial numbers.
inline QString Serial(uint64_t body) { return SerialToText(SerialFromBody(body)); }
