// The simulator's message: fields by type, digits, scaling, checked formats,
// and the periodic interval.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator/SimMessage.h"
#include "values/ValueFormatter.h"

namespace quelda {
namespace {

SimParam Def(const std::string& type, const std::string& digits, const std::string& format,
             const std::string& value, const std::string& mul = "1", const std::string& div = "0",
             const std::string& off = "0") {
    SimParam p;
    p.caption = "P";
    p.type = type;
    p.digits = digits;
    p.format = format;
    p.value = value;
    p.multiplier = mul;
    p.divisor = div;
    p.offset = off;
    return p;
}

TEST(SimMessage, ExampleMessageHasHeaderFieldsAndStar) {
    const std::vector<SimParam> params = {Def("INT", "4", "%d", "1500"),
                                          Def("STRING", "2", "%s", "ABC")};
    EXPECT_EQ(BuildMessage("$QVR,SM", params, true), "$QVR,SM,1500,AB*");
    EXPECT_EQ(BuildMessage("$QVR,SM", params, false), "$QVR,SM,1500,AB");
    // no definitions: the header alone; an unknown type keeps its ","
    EXPECT_EQ(BuildMessage("$QVR,SM", {}, true), "$QVR,SM*");
    EXPECT_EQ(BuildMessage("$H", {Def("int", "4", "%d", "5"), Def("INT", "1", "%d", "5")}, false),
              "$H,,5");
}

struct FieldCase {
    const char* what;
    SimParam param;
    std::string field;
};

TEST(SimMessage, FieldsByTypeDigitsAndScaling) {
    const std::string big(100 * 1024, '7');
    const std::vector<FieldCase> cases = {
        {"INT keeps the last digits", Def("INT", "2", "%d", "987"), "87"},
        {"INT remainder keeps the sign", Def("INT", "2", "%d", "-987"), "-87"},
        {"INT scaled", Def("INT", "4", "%d", "12", "3", "0", "5"), "41"},
        {"INT divides toward zero", Def("INT", "4", "%d", "-7", "1", "2", "0"), "-3"},
        {"INT empty multiplier: offset alone", Def("INT", "4", "%d", "1500", "", "0", "9"), "9"},
        {"INT digits 0: offset alone", Def("INT", "0", "%d", "1500", "1", "0", "4"), "4"},
        {"INT digits below 0 as 0", Def("INT", "-3", "%d", "1500", "1", "0", "4"), "4"},
        {"INT digits above 9 keep all", Def("INT", "12", "%d", "2147483647"), "2147483647"},
        {"INT digits not a number as 0", Def("INT", "x", "%d", "55"), "0"},
        {"INT beyond 32 bits saturates", Def("INT", "10", "%d", "2147483647", "2147483647"),
         "2147483647"},
        {"INT 100 KB value saturates", Def("INT", "12", "%d", big), "2147483647"},
        {"FLOAT divisor 0.5 ignored", Def("FLOAT", "4", "%.1f", "3", "2", "0.5", "0"), "6.0"},
        {"FLOAT divisor 2.5 divides by 2.5", Def("FLOAT", "4", "%.1f", "5", "1", "2.5"), "2.0"},
        {"FLOAT keeps the last integer digits",
         Def("FLOAT", "2", "%.2f", "12345.67", "1", "0", "0"), "45.67"},
        {"FLOAT digits 0: the fraction", Def("FLOAT", "0", "%.2f", "-12.25"), "-0.25"},
        {"FLOAT digits above 9 keep all", Def("FLOAT", "20", "%.0f", "1e15"), "1000000000000000"},
        {"FLOAT empty multiplier: offset alone", Def("FLOAT", "4", "%.1f", "100", "", "0", "2.5"),
         "2.5"},
        {"STRING first digits bytes", Def("STRING", "3", "%s", "ABCDEF"), "ABC"},
        {"STRING negative digits: empty", Def("STRING", "-1", "[%s]", "ABCDEF"), "[]"},
        {"STRING more digits than bytes", Def("STRING", "30", "%s", "AB"), "AB"},
        {"STRING 100 KB value", Def("STRING", "9", "%s", big), "777777777"},
        {"STRING width and left align", Def("STRING", "9", "<%-4s|%%>", "AB"), "<AB  |%>"},
        {"STRING precision", Def("STRING", "9", "%3.1s", "AB"), "  A"},
        {"other type: empty", Def("HEX", "4", "%d", "12"), ""},
        {"empty format: empty", Def("INT", "4", "", "12"), ""},
    };
    for (const FieldCase& c : cases) EXPECT_EQ(BuildField(c.param), c.field) << c.what;
}

TEST(SimMessage, FormatsThatAreNotOneConversionOfTheKindAreRejected) {
    const std::vector<SimParam> rejected = {
        Def("INT", "4", "no conversion", "1"),
        Def("INT", "4", "%d%d", "1"),
        Def("INT", "4", "%f", "1"),
        Def("INT", "4", "%s", "1"),
        Def("INT", "4", "%n", "1"),
        Def("INT", "4", "%*d", "1"),
        Def("FLOAT", "4", "%d", "1"),
        Def("FLOAT", "4", "%f %f", "1"),
        Def("STRING", "4", "%d", "1"),
        Def("STRING", "4", "%s%s", "1"),
        Def("STRING", "4", "%05s", "1"),
        Def("STRING", "4", "%ls", "1"),
        Def("STRING", "4", "%100s", "1"),
        Def("STRING", "4", "text", "1"),
    };
    for (const SimParam& p : rejected) {
        EXPECT_EQ(BuildField(p), kBadFormatMarker) << p.type << " " << p.format;
    }
}

TEST(SimMessage, PeriodIntervals) {
    struct Case {
        const char* period;
        bool timer;
        int ms;
    };
    const std::vector<Case> cases = {
        {"1", true, 1000},
        {"2", true, 500},
        {"0.5", true, 2000},
        {"3", true, 333},
        {"0", false, 0},
        {"abc", false, 0},
        {"", false, 0},
        {"-2", false, 0},
        {"nan", false, 0},
        {"1000", true, 1},
        {"5000", true, 1},
        {"inf", true, kMinIntervalMs},
        {"0.00001", true, kMaxIntervalMs},
        {"1e-300", true, kMaxIntervalMs},
    };
    for (const Case& c : cases) {
        int ms = -7;
        EXPECT_EQ(PeriodInterval(c.period, ms), c.timer) << c.period;
        if (c.timer) {
            EXPECT_EQ(ms, c.ms) << c.period;
        }
    }
}

}  // namespace
}  // namespace quelda
