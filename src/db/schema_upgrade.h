#pragma once
// Brings an open database to the current schema version (2). Version 1 has no T_SERVICE; version
// 2 adds T_SERVICE, T_GRAD and the eighteen input columns of T_Cars and T_CarTypes. A database
// above version 2 is left exactly as it is, without a message.
class TData;

constexpr int CurrentSchemaVersion = 2;

void UpgradeSchema(TData& data);
