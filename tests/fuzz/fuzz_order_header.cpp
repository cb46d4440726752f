// The header check and every field getter on arbitrary bytes; a sealed header must stay intact.
#include "car_data.h"
#include "order_header.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TOrderHeader h = TOrderHeader::FromBytes(data, qsizetype(size));
    (void)h.IsIntact();
    TCarData car;
    FillCarFromHeader(car, h);
    (void)h.GuidText();
    (void)h.OrderDescLong();
    (void)h.TempPoints();
    for (int i = 0; i < hdr::DriverCount; ++i) (void)h.DriverName(i);
    (void)h.OrderStartDate();
    (void)h.DocDate();
    h.Seal();
    if (!h.IsIntact()) std::abort();
    // Storing what was read and reading it again changes nothing.
    TOrderHeader again;
    StoreCarInHeader(car, again);
    TCarData back;
    FillCarFromHeader(back, again);
    if (back.CarNumber != car.CarNumber.toUpper() || back.Tank1K != car.Tank1K) std::abort();
    return 0;
}
