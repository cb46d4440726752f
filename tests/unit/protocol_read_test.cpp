#include "protocol_read.h"
#include "scripted_interaction.h"

#include <gtest/gtest.h>

namespace {
uint64_t position(int page, int records) { return uint64_t(page) | uint64_t(records) << 16; }
}  // namespace

TEST(ProtocolRead, PlanFromRecordingPosition)
{
    struct Case {
        int page, inPage;
        int answers;   // 1 = Yes, 0 = No, -1 = no question expected
        int result;
        uint32_t pages, records;
        const char* message;
    };
    const Case cases[] = {
        {130, 5, -1, prDone, 3, 93, nullptr},
        {128, 1, -1, prDone, 1, 1, nullptr},
        {8191, 44, -1, prDone, 8064, 8064 * 44, nullptr},
        {128, 0, -1, prCancelled, 0, 0, "E1735: Протокол пуст! Невозможно закрыть задание"},
        {128, 45, 1, prCancelled, 0, 0, "E1735: Протокол пуст! Невозможно закрыть задание"},
        {129, 45, 1, prDone, 2, 44, nullptr},
        {129, 45, 0, prCancelled, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        ScriptedInteraction ui;
        if (c.answers == 1) {
            ui.queueYes();
        } else if (c.answers == 0) {
            ui.queueNo();
        }
        const TProtocolReadPlan plan = PlanProtocolRead(position(c.page, c.inPage), ui);
        const QString label = QString("P=%1 c=%2").arg(c.page).arg(c.inPage);
        EXPECT_EQ(plan.Result, c.result) << qPrintable(label);
        if (c.result == prDone) {
            EXPECT_EQ(plan.Pages, c.pages) << qPrintable(label);
            EXPECT_EQ(plan.Records, c.records) << qPrintable(label);
        }
        EXPECT_EQ(ui.textsOf("yesno").size(), c.answers >= 0 ? 1 : 0) << qPrintable(label);
        if (c.answers >= 0) {
            EXPECT_EQ(ui.textsOf("yesno").value(0),
                      "Нарушена целостность протокола! Протокол будет прочитан не полностью");
        }
        EXPECT_EQ(ui.textsOf("error").size(), c.message ? 1 : 0) << qPrintable(label);
        if (c.message) {
            EXPECT_EQ(ui.textsOf("error").value(0), QString(c.message));
        }
    }
}

TEST(ProtocolRead, PagesBecomeRecordsCutToTheCount)
{
    ScriptedInteraction ui;
    const TProtocolReadPlan plan = PlanProtocolRead(position(130, 5), ui);
    QByteArray bytes(3 * 528, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i / 12);
    EXPECT_TRUE(ProtocolPagesComplete(bytes, plan));
    EXPECT_FALSE(ProtocolPagesComplete(bytes.left(528 * 2), plan));
    const TProtokolRecords records = RecordsFromPages(bytes, plan.Records);
    ASSERT_EQ(records.size(), 93u);
    EXPECT_EQ(records[92].b[0], 92);
    EXPECT_EQ(records[92].b[11], 92);
}

TEST(ProtocolRead, FailureMessages)
{
    ScriptedInteraction ui;
    ReportProtocolReadFailure(2, ui);
    ReportProtocolReadFailure(-1, ui);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].kind, "warning");
    EXPECT_EQ(ui.messages()[0].text, "Прервано пользователем!");
    EXPECT_EQ(ui.messages()[1].kind, "error");
    EXPECT_EQ(ui.messages()[1].text, "E1736: Ошибка чтения протокола!");
}
