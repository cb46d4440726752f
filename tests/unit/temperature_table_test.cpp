#include "grad_table.h"
#include "temperature_table.h"

#include <gtest/gtest.h>

TEST(TemperatureTable, FromDatabaseRows)
{
    // Rows in ascending U; the reduced key reverses the order of the last two.
    const std::vector<TTempGradRow> rows = {{1.0, 120, 12}, {2.0, 80, 24}, {2.5, 40, 10}};
    auto byU = TemperatureTableFromRows(rows, 1200, false);
    ASSERT_TRUE(byU);
    ASSERT_EQ(byU->size(), 3u);
    EXPECT_EQ((*byU)[0].U, 100);
    EXPECT_EQ((*byU)[0].VAL, 12000);
    EXPECT_EQ((*byU)[0].U_POWER, 1200);
    EXPECT_EQ((*byU)[1].U_REDUCED, 100);   // 1200 * 200 / 2400
    EXPECT_EQ((*byU)[2].U_REDUCED, 300);

    auto reduced = TemperatureTableFromRows(rows, 1200, true);
    ASSERT_TRUE(reduced);
    EXPECT_EQ((*reduced)[0].VAL, 12000);   // keys 100, 100, 300: the equal keys keep their order
    EXPECT_EQ((*reduced)[1].VAL, 8000);
    EXPECT_EQ((*reduced)[2].VAL, 4000);

    // One row is not a table; a negative value is cleaned away; a ninth row is not taken.
    EXPECT_FALSE(TemperatureTableFromRows({{1, 1, 1}}, 1200, false));
    auto cleaned = TemperatureTableFromRows({{1, -5, 12}, {2, 10, 12}, {3, 20, 12}}, 1200, false);
    ASSERT_TRUE(cleaned);
    EXPECT_EQ(cleaned->size(), 2u);
    std::vector<TTempGradRow> nine(9, TTempGradRow{1, 1, 0});
    EXPECT_EQ(TemperatureTableFromRows(nine, 1200, false)->size(), 8u);
    EXPECT_EQ(TemperatureTableFromRows(nine, 1200, false)->front().U_REDUCED, 0);   // no supply voltage
}

TEST(TemperatureTable, FromHeaderAsItStands)
{
    const TGrad t = TemperatureTableFromHeader({{300, 9000, 2400}, {100, -100, 0}, {200, 5000, 1200}}, 2400);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].U, 300);
    EXPECT_EQ(t[0].U_REDUCED, 300);
    EXPECT_EQ(t[1].VAL, -100);   // not cleaned
    EXPECT_EQ(t[1].U_REDUCED, 0);
    EXPECT_EQ(t[2].U_REDUCED, 400);
}
