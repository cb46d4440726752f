#include "protocol_read.h"

#include "interaction.h"

#include <algorithm>
#include <cstring>

TProtocolReadPlan PlanProtocolRead(uint64_t position, Interaction& ui)
{
    TProtocolReadPlan plan;
    const uint16_t page = uint16_t(position & 0xFFFF);
    uint32_t inPage = uint8_t(position >> 16);
    if (inPage > uint32_t(protokol::kRecordsPerPage)) {
        if (!ui.askYesNo(QStringLiteral("Нарушена целостность протокола! Протокол будет прочитан не полностью"))) {
            plan.Result = prCancelled;
            return plan;
        }
        inPage = 0;
    }
    const uint16_t pages = uint16_t(page - protokol::kFirstProtocolPage);
    plan.Records = uint32_t(pages) * protokol::kRecordsPerPage + inPage;
    if (plan.Records == 0) {
        ui.error(QStringLiteral("E1735: Протокол пуст! Невозможно закрыть задание"));
        plan.Result = prCancelled;
        return plan;
    }
    plan.Pages = uint32_t(pages) + 1;
    return plan;
}

bool ProtocolPagesComplete(const QByteArray& bytes, const TProtocolReadPlan& plan)
{
    return qint64(bytes.size()) == qint64(plan.Pages) * protokol::kPageSize;
}

TProtokolRecords RecordsFromPages(const QByteArray& bytes, uint32_t records)
{
    const size_t n = std::min<size_t>(records, size_t(bytes.size()) / sizeof(TProtokolRecord));
    TProtokolRecords out(n);
    if (n)
        std::memcpy(out.data(), bytes.constData(), n * sizeof(TProtokolRecord));
    return out;
}

void ReportProtocolReadFailure(int managerError, Interaction& ui)
{
    if (managerError == 2)
        ui.warning(QStringLiteral("Прервано пользователем!"));
    else
        ui.error(QStringLiteral("E1736: Ошибка чтения протокола!"));
}
