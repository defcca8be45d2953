#include "stamps/Timestamp.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

using testing_support::dateTime;

namespace
{

// The fields a timestamp text carries; the day of the week is not one of them.
void expectSameFields(const SYSTEMTIME& actual, const SYSTEMTIME& expected,
                      const std::wstring& text)
{
    SCOPED_TRACE(testing::Message() << text);
    EXPECT_EQ(actual.wYear, expected.wYear);
    EXPECT_EQ(actual.wMonth, expected.wMonth);
    EXPECT_EQ(actual.wDay, expected.wDay);
    EXPECT_EQ(actual.wHour, expected.wHour);
    EXPECT_EQ(actual.wMinute, expected.wMinute);
    EXPECT_EQ(actual.wSecond, expected.wSecond);
    EXPECT_EQ(actual.wMilliseconds, expected.wMilliseconds);
}

TEST(TimestampText, FormatsEveryFieldWithLeadingZeros)
{
    const struct
    {
        SYSTEMTIME time;
        const wchar_t* text;
    } cases[] = {
        {dateTime(2024, 1, 2, 3, 4, 5, 6), L"2024/01/02 03:04:05.006"},
        {dateTime(2024, 3, 5, 12, 34, 56, 7), L"2024/03/05 12:34:56.007"},
        {dateTime(1601, 1, 1, 0, 0, 0, 0), L"1601/01/01 00:00:00.000"},
        {dateTime(30827, 12, 31, 23, 59, 59, 999), L"30827/12/31 23:59:59.999"},
        {dateTime(10000, 1, 1, 0, 0, 0, 0), L"10000/01/01 00:00:00.000"},
        {dateTime(5, 10, 20, 9, 8, 7, 60), L"0005/10/20 09:08:07.060"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatTimestamp(c.time), c.text);
}

TEST(TimestampText, ReadsTheDigitsBackIntoFields)
{
    const struct
    {
        const wchar_t* text;
        SYSTEMTIME time;
    } cases[] = {
        {L"2024/01/02 03:04:05.006", dateTime(2024, 1, 2, 3, 4, 5, 6)},
        {L"10000/01/01 00:00:00.000", dateTime(10000, 1, 1, 0, 0, 0, 0)},
        {L"30827/12/31 23:59:59.999", dateTime(30827, 12, 31, 23, 59, 59, 999)},
        // Separators carry no meaning, whatever they are.
        {L"2024-01-02T03:04:05,006", dateTime(2024, 1, 2, 3, 4, 5, 6)},
        {L"20240102030405006", dateTime(2024, 1, 2, 3, 4, 5, 6)},
        // Fewer digits fill the fields from the right.
        {L"05.006", dateTime(0, 0, 0, 0, 0, 5, 6)},
        {L"", dateTime(0, 0, 0, 0, 0, 0, 0)},
        {L"日付なし / : .", dateTime(0, 0, 0, 0, 0, 0, 0)},
        // Full-width digits are not decimal digits of the text.
        {L"２０２４/01/02 03:04:05.006", dateTime(0, 1, 2, 3, 4, 5, 6)},
        // A year the field cannot hold, and a number too long for 64 bits, give
        // no time at all instead of a different valid one.
        {L"70000/01/01 00:00:00.000", dateTime(0, 0, 0, 0, 0, 0, 0)},
        {L"99999999999/01/01 00:00:00.000", dateTime(0, 0, 0, 0, 0, 0, 0)},
        {L"65535/12/31 23:59:59.999", dateTime(65535, 12, 31, 23, 59, 59, 999)},
    };
    for (const auto& c : cases)
        expectSameFields(parseTimestamp(c.text), c.time, c.text);
}

TEST(TimestampText, EveryFormattedTimeReadsBackUnchanged)
{
    std::mt19937 random(20240305);
    std::uniform_int_distribution<int> year(1601, 30827);
    std::uniform_int_distribution<int> month(1, 12);
    std::uniform_int_distribution<int> hour(0, 23);
    std::uniform_int_distribution<int> sixty(0, 59);
    std::uniform_int_distribution<int> millisecond(0, 999);
    const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

    for (int i = 0; i < 5000; ++i)
    {
        const int m = month(random);
        std::uniform_int_distribution<int> day(1, monthDays[m - 1]);
        const SYSTEMTIME time = dateTime(year(random), m, day(random), hour(random), sixty(random),
                                         sixty(random), millisecond(random));
        const std::wstring text = formatTimestamp(time);
        expectSameFields(parseTimestamp(text), time, text);
        if (HasFailure())
            break;
    }
}

} // namespace
