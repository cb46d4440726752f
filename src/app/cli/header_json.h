#pragma once
// JSON views of the order header and of protocol heads for the command-line tool.
#include <QJsonObject>

class TOrderHeader;

// Every field of the header by its name; dates as ISO text (null when 0), reals as numbers,
// tables as hexadecimal text, plus "intact".
QJsonObject HeaderToJson(const TOrderHeader& header);
QString HexOf(uint32_t value);
