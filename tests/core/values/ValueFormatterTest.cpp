#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>

#include "support/TempDir.h"
#include "values/ValueFormatter.h"

namespace quelda {
namespace {

struct FormatCase {
    const char* format;
    const char* displayType;
    double v;
    const char* text;
};

TEST(ValueFormatter, PassesTheDisplayTypesArgument) {
    const FormatCase cases[] = {
        {"%u", "UCHAR", 300.7, "44"},
        {"%u", "UCHAR", -1.5, "255"},
        {"%d", "UINT", 65536 + 10, "10"},
        {"%d", "UINT", -1, "65535"},
        {"%d", "INT4", 4294967295.0, "-1"},
        {"%u", "UINT4", 4294967295.0, "4294967295"},
        {"%X", "UINT4", -1, "FFFFFFFF"},
        {"%d", "STATUS", 2147483648.0, "-2147483648"},
        {"%d", "INT4", -7.9, "-7"},
        {"%.0f", "FLOAT", 4294967295.0, "4294967295"},
        {"%.2f", "FLOAT", 1.0, "1.00"},
        {"x=%d%%", "INT4", 26, "x=26%"},
        {"%5.1f V", "FLOAT", 3.14159, "  3.1 V"},
        {"%d", "float", 1, ""},
        {"", "INT4", 1, ""},
        {"", "FLOAT", 1, ""},
        {"%d", "", 1, ""},
        {"%s", "NONE", 1, ""},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatValue(c.format, c.displayType, c.v), c.text)
            << c.format << " " << c.displayType << " " << c.v;
    }
}

// Beyond the 64-bit range the truncation saturates, NaN gives 0; the
// display types then take their low bits.
TEST(ValueFormatter, HugeAndNaNValuesGiveDefinedIntegers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        {"%d", "INT4", 1e30, "-1"},  // INT64_MAX, low 32 bits
        {"%d", "INT4", -1e30, "0"},  // INT64_MIN, low 32 bits
        {"%u", "UCHAR", 1e19, "255"},
        {"%u", "UINT", -inf, "0"},
        {"%d", "INT4", nan, "0"},
        {"%d", "INT4", 9223372036854775807.0, "-1"},
        {"%d", "INT4", 4294967296.0 + 5, "5"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatValue(c.format, c.displayType, c.v), c.text) << c.v;
    }
    EXPECT_EQ(TruncateToInt64(nan), 0);
    EXPECT_EQ(TruncateToInt64(1e300), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(TruncateToInt64(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(TruncateToInt64(-2.9), -2);
}

TEST(ValueFormatter, RejectsFormatsTheCFormatterWouldMisread) {
    const FormatCase cases[] = {
        {"%s", "INT4", 1, nullptr},      {"%n", "INT4", 1, nullptr},
        {"%d%d", "INT4", 1, nullptr},    {"%", "INT4", 1, nullptr},
        {"abc%", "INT4", 1, nullptr},    {"%d%", "INT4", 1, nullptr},
        {"plain", "INT4", 1, nullptr},   {"%%", "INT4", 1, nullptr},
        {"%.500f", "FLOAT", 1, nullptr}, {"%999999d", "INT4", 1, nullptr},
        {"%65d", "INT4", 1, nullptr},    {"%.65d", "INT4", 1, nullptr},
        {"%*d", "INT4", 1, nullptr},     {"%.*f", "FLOAT", 1, nullptr},
        {"%1$d", "INT4", 1, nullptr},    {"%c", "UCHAR", 65, nullptr},
        {"%p", "INT4", 1, nullptr},      {"%f", "INT4", 1, nullptr},
        {"%d", "FLOAT", 1, nullptr},     {"%x", "FLOAT", 1, nullptr},
        {"%Lf", "FLOAT", 1, nullptr},    {"%hf", "FLOAT", 1, nullptr},
        {"%llf", "FLOAT", 1, nullptr},   {"%jd", "INT4", 1, nullptr},
        {"%zd", "INT4", 1, nullptr},     {"%qd", "INT4", 1, nullptr},
        {"%m", "INT4", 1, nullptr},      {"%'d", "INT4", 1000, nullptr},
        {"%lld %s", "INT4", 1, nullptr}, {"%5%", "INT4", 1, nullptr},
        {"%hhhd", "INT4", 1, nullptr},   {"%lllx", "UINT4", 1, nullptr},
    };
    for (const FormatCase& c : cases) {
        const ValueFormatter f(c.format, c.displayType);
        EXPECT_FALSE(f.FormatAccepted()) << c.format;
        EXPECT_EQ(f.Format(c.v), kBadFormatMarker) << c.format;
    }
}

TEST(ValueFormatter, AcceptsOneConversionWithLiteralsFlagsAndBounds) {
    const FormatCase cases[] = {
        {"%64d", "INT4", 1, nullptr},
        {"%.64f", "FLOAT", 1, nullptr},
        {"%-+ #064.64e", "FLOAT", 1, nullptr},
        {"%%%d%%", "INT4", 1, "%1%"},
        {"[%08.3f]", "FLOAT", -3.14159, "[-003.142]"},
        {"%hhd", "INT4", 200, "-56"},
        {"%hd", "INT4", 70000, "4464"},
        {"%hhu", "UINT4", 511, "255"},
        {"%hx", "INT4", -1, "ffff"},
        {"%ld", "INT4", -5, "-5"},
        {"%lld", "INT4", -5, "-5"},
        {"%lu", "UINT4", 4294967295.0, "4294967295"},
        {"%llx", "INT4", -1, "ffffffff"},
        {"%lo", "INT4", -1, "37777777777"},
        {"%lf", "FLOAT", 2.5, "2.500000"},
        {"%i", "INT4", 42, "42"},
        {"%#o", "UCHAR", 8, "010"},
        {"%#x", "UCHAR", 255, "0xff"},
        {"%#X", "UCHAR", 0, "0"},
        {"%+d", "INT4", 0, "+0"},
        {"% d", "INT4", 7, " 7"},
        {"%-6d|", "INT4", -12, "-12   |"},
        {"%.0d", "INT4", 0, ""},
        {"%#.0o", "INT4", 0, "0"},
        {"%06.3d", "INT4", 5, "   005"},
        {"%E", "FLOAT", 12345.678, "1.234568E+04"},
        {"%G", "FLOAT", 1e-10, "1E-10"},
        {"%g", "FLOAT", 100000, "100000"},
        {"%g", "FLOAT", 1000000, "1e+06"},
        {"%a", "FLOAT", 1.0, "0x1p+0"},
        {"%A", "FLOAT", -0.5, "-0X1P-1"},
        {"%f", "FLOAT", -0.0, "-0.000000"},
        {"%F", "FLOAT", std::numeric_limits<double>::infinity(), "INF"},
        {"%5.1f", "FLOAT", std::numeric_limits<double>::quiet_NaN(), "  nan"},
    };
    for (const FormatCase& c : cases) {
        const ValueFormatter f(c.format, c.displayType);
        EXPECT_TRUE(f.FormatAccepted()) << c.format;
        if (c.text) {
            EXPECT_EQ(f.Format(c.v), c.text) << c.format;
        }
    }
}

TEST(ValueFormatter, TheFormatEndsAtANulByteAsInTheCFormatter) {
    EXPECT_EQ(FormatValue(std::string("<%d>\0%s", 7), "INT4", 3), "<3>");
    EXPECT_EQ(FormatValue(std::string("%\0d", 3), "INT4", 3), kBadFormatMarker);
}

TEST(ValueFormatter, LongLiteralTextSurroundsTheValue) {
    const std::string before(300, '<'), after(700, '>');
    EXPECT_EQ(FormatValue(before + "%+d%%" + after, "INT4", 5), before + "+5%" + after);
    EXPECT_EQ(FormatValue(before + "%.1f" + after, "FLOAT", 0.25), before + "0.2" + after);
}

TEST(ValueFormatter, OutputStaysBoundedForTheLargestValues) {
    const double max = std::numeric_limits<double>::max();
    const std::string f = FormatValue("%64.64f", "FLOAT", -max);
    EXPECT_EQ(f.size(), 1u + 309u + 1u + 64u);
    EXPECT_EQ(f.compare(0, 4, "-179"), 0);
    EXPECT_EQ(FormatValue("%-64.64o", "INT4", -1).size(), 64u);
}

// A desktop toolkit may switch the process to the user's locale; values
// must keep their "." all the same. The test builds a locale with a decimal
// comma in a scratch directory, so it runs where none is installed.
TEST(ValueFormatter, DecimalPointIgnoresTheProcessLocale) {
    test::TempDir dir;
    dir.Write("comma.src",
              "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
              "grouping 3\nEND LC_NUMERIC\n");
    const std::string make = "localedef -c -i " + dir.File("comma.src") + " -f ANSI_X3.4-1968 " +
                             dir.File("xx_COMMA") + " >/dev/null 2>&1";
    // localedef warns about the categories left out and exits 1 for it
    (void)std::system(make.c_str());
    if (!std::ifstream(dir.File("xx_COMMA/LC_NUMERIC"))) {
        GTEST_SKIP() << "localedef cannot build a locale";
    }
    setenv("LOCPATH", dir.Path().c_str(), 1);
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "xx_COMMA"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the locale really is in force
    EXPECT_EQ(FormatValue("%.2f", "FLOAT", 1.5), "1.50");
    EXPECT_EQ(FormatValue("%#.2a", "FLOAT", 1.5), "0x1.80p+0");
    EXPECT_EQ(FormatValue("%g", "FLOAT", std::numeric_limits<double>::infinity()), "inf");
    std::setlocale(LC_NUMERIC, saved.c_str());
    unsetenv("LOCPATH");
}

}  // namespace
}  // namespace quelda
