#pragma once
// Stored forms of a calibration table: the database blob (a signed 32-bit point count, then the
// points of six 80-bit reals, 60 bytes each) and the 1204-byte form of the order header (the
// first 1204 bytes of such a blob: the count and room for 20 points).
#include "grad_point.h"

#include <QByteArray>

constexpr int kGradPointSize = 60;
constexpr int kHeaderGradSize = 1204;
constexpr int kHeaderGradPoints = 20;

// min(N, (size - 4) div 60) points; bytes after them are ignored. A blob of at most 4 bytes or a
// negative count gives no points.
TGrad GradFromBlob(const QByteArray& blob);
QByteArray GradToBlob(const TGrad& table);

// The header form: the recorded count, at most 20 points.
TGrad GradFromHeaderTable(const QByteArray& table1204);
// The first 1204 bytes of the blob, zero-filled to 1204 (a longer table keeps its count).
QByteArray GradToHeaderTable(const TGrad& table);
