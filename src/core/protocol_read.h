#pragma once
// Reading the protocol from a carrier: what to read (from the recording position, register 5),
// how to turn the pages into records, and what to tell the user when it fails. The transfer
// itself belongs to the communication manager.
#include "protokol_record.h"

#include <QByteArray>
#include <cstdint>

class Interaction;

// Result codes of the read: as for the read workflow.
enum TProtocolReadResult : int { prDone = 0, prReadError = 1, prCancelled = 3 };

struct TProtocolReadPlan {
    int Result = prDone;        // prDone: read Pages pages from page 128 and keep Records records
    uint32_t Pages = 0;         // pages to request (the page being written included)
    uint32_t Records = 0;
};

// P (bytes 0-1) is the page being written, c (byte 2) the records already in it. More than 44
// records in a page ask whether to go on without them; an empty protocol is E1735.
TProtocolReadPlan PlanProtocolRead(uint64_t recordingPosition, Interaction& ui);

// True when the manager delivered exactly the pages asked for.
bool ProtocolPagesComplete(const QByteArray& bytes, const TProtocolReadPlan& plan);

// The first plan.Records records of the pages read.
TProtokolRecords RecordsFromPages(const QByteArray& bytes, uint32_t records);

// The message of a failed page read: managerError 2 is the user's abort.
void ReportProtocolReadFailure(int managerError, Interaction& ui);
