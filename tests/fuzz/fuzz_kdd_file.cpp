// The data file reader on arbitrary images: nothing outside the image is read.
#include "kdd_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TKDDFile f;
    if (!f.LoadImage(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)))) return 0;
    (void)f.Header().IsIntact();
    (void)f.SampleTime(f.Count());
    (void)f.Sample(f.Count() - 1);
    (void)f.DistanceKm(f.StartTime(), f.EndTime());
    (void)f.DistanceKm(f.StartTime().addDays(-1), f.EndTime().addDays(1));
    (void)f.StoredFileName();
    (void)f.Tank2Vol();
    return 0;
}
