#include "cp1251.h"
#include "date_time.h"
#include "order_header.h"

#include <gtest/gtest.h>

TEST(DateTime, DaysSince1899RoundTrip)
{
    EXPECT_EQ(DateTimeFromDays(0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(DateTimeFromDays(38547.5), QDateTime(QDate(2005, 7, 14), QTime(12, 0)));
    EXPECT_EQ(DateTimeFromDays(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(2005, 7, 14), QTime(12, 0))), 38547.5);
    EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    const QDateTime t(QDate(2026, 12, 11), QTime(4, 39, 41, 250));
    EXPECT_EQ(DateTimeFromDays(DaysFromDateTime(t)), t);
    // Just before midnight rounds to the next day, not to 24:00.
    EXPECT_EQ(DateTimeFromDays(38547.99999999999), QDateTime(QDate(2005, 7, 15), QTime(0, 0)));
    EXPECT_FALSE(DateTimeFromDays(NAN).isValid());
    EXPECT_FALSE(DateTimeFromDays(1e300).isValid());
    EXPECT_EQ(DaysFromDateTime(QDateTime()), 0.0);
}

TEST(Cp1251, CyrillicIsOneBytePerCharacter)
{
    const QString text = QString::fromUtf8("А123ВС ёЁ");
    const QByteArray b = ToCp1251(text);
    ASSERT_EQ(b.size(), text.size());
    EXPECT_EQ(uint8_t(b[0]), 0xC0);
    EXPECT_EQ(uint8_t(b[7]), 0xB8);  // ё
    EXPECT_EQ(FromCp1251(b), text);
}

TEST(OrderHeader, FieldsLandAtTheirOffsets)
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetCarNumber(QString::fromUtf8("а123вс77"));
    h.SetCarGSM(3000.0L);
    h.SetCarTank2Vol(0x1234);
    h.SetCarUPower(1200);
    h.SetKind(kOrderKindCalibration);
    h.SetDriverName(3, QString::fromUtf8("Иванов"));
    h.SetTempPoints({{150, -2000, 1200}});
    const uint8_t* d = h.data();
    EXPECT_EQ(d[0], 2);
    EXPECT_EQ(d[4202], 8);               // length byte
    EXPECT_EQ(d[4203], 0xC0);            // "А" upper case in Windows-1251
    EXPECT_EQ(d[4256 + 9], 0x40);        // high byte of the extended 3000.0
    EXPECT_EQ(d[4256 + 7], 0xBB);
    EXPECT_EQ(d[4246], 0x34);
    EXPECT_EQ(d[4247], 0x12);
    EXPECT_EQ(d[4266], 0xB0);            // 1200 = 0x04B0
    EXPECT_EQ(d[8016], 1);
    EXPECT_EQ(d[7935], 6);
    EXPECT_EQ(d[8319], 1);
    EXPECT_EQ(d[8324], 0x30);            // -2000 = 0xFFFFF830
    EXPECT_EQ(d[8327], 0xFF);
    EXPECT_EQ(h.CarNumber(), QString::fromUtf8("А123ВС77"));
    EXPECT_EQ(h.TempPoints(), (std::vector<TTempPoint>{{150, -2000, 1200}}));
    EXPECT_EQ(h.DriverName(3), QString::fromUtf8("Иванов"));
}

TEST(OrderHeader, TextsAreCutToTheirFieldsAndHostileLengthsClamped)
{
    TOrderHeader h;
    h.SetDocNum("123456789ABC");
    EXPECT_EQ(h.DocNum(), "12345678");
    EXPECT_EQ(h.data()[hdr::DocNum], 8);
    EXPECT_EQ(h.data()[hdr::DocDate], 0);  // nothing spills into the next field
    h.SetOrderDescLong(QString(5000, 'x'));
    EXPECT_EQ(h.OrderDescLong().size(), hdr::OrderDescLongSize);
    EXPECT_EQ(h.data()[hdr::CarrierSerNum], 0);
    h.SetCarDescLong("short");
    EXPECT_EQ(h.CarDescLong(), "short");

    h.data()[hdr::CarNumber] = 200;        // a length byte larger than the field
    EXPECT_EQ(h.CarNumber().size(), 8);
    h.data()[hdr::TempPointCount] = 255;   // more points than the block holds
    EXPECT_EQ(h.TempPoints().size(), 8u);
}

TEST(OrderHeader, DatesGuidAndTables)
{
    TOrderHeader h;
    EXPECT_TRUE(h.OrderStartDate().isNull());
    const QDateTime t(QDate(2005, 7, 14), QTime(8, 30));
    h.SetOrderStartDate(t);
    EXPECT_EQ(h.OrderStartDate(), t);
    EXPECT_DOUBLE_EQ(h.days(hdr::OrderStartDate), 38547 + 8.5 / 24);

    const QUuid g("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    h.SetGuid(g);
    EXPECT_EQ(h.Guid(), g);
    EXPECT_EQ(h.GuidText(), "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    EXPECT_EQ(h.data()[hdr::Guid], 0x3D);  // 32-bit part little-endian
    EXPECT_EQ(h.data()[hdr::Guid + 8], 0x82);

    QByteArray longBlob(2000, char(7));
    h.SetTank1K(longBlob);
    EXPECT_EQ(h.Tank1K(), longBlob.left(1204));
    EXPECT_EQ(h.data()[hdr::Tank2K], 0);
    h.SetTank2K(QByteArray(4, char(1)));
    EXPECT_EQ(h.Tank2K().left(5), QByteArray("\1\1\1\1\0", 5));
}

TEST(OrderHeader, SealedHeaderIsIntactAndEveryChangeIsSeen)
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetCarNumber("A123BC");
    h.Seal();
    EXPECT_EQ(h.Signature(), 0xAA551177u);
    EXPECT_TRUE(h.IsIntact());
    for (int at : {0, 1, 4202, 8000, 8439, 8440, 8443}) {
        TOrderHeader changed = h;
        changed.data()[at] ^= 0x01;
        EXPECT_FALSE(changed.IsIntact()) << at;
    }
    TOrderHeader wrongCheck = h;
    wrongCheck.data()[8444] ^= 0x80;
    EXPECT_FALSE(wrongCheck.IsIntact());
    // A correct check value over a different signature still fails.
    TOrderHeader otherSignature = h;
    otherSignature.SetSignature(0x11223344u);
    otherSignature.SetCheckValue(otherSignature.ComputeCheckValue());
    EXPECT_FALSE(otherSignature.IsIntact());
    EXPECT_FALSE(TOrderHeader().IsIntact());
}
