#include <gtest/gtest.h>

#include "bintext/BinTextNames.h"

namespace quelda {
namespace {

TEST(BinTextNamesTest, MonitorLogGivesDefinitionAndCsvBesideIt) {
    const BinTextNames n = NamesForMonitorLog("/opt/q/", "/data/run.1/MON3_00.BIN");
    EXPECT_EQ(n.binaryFile, "/data/run.1/MON3_00.BIN");
    EXPECT_EQ(n.definitionFile, "/opt/q/MONITOR3.TXT");
    EXPECT_EQ(n.outputFile, "/data/run.1/MON3_00.CSV");
    // only the last extension goes; a dot of a directory is kept
    EXPECT_EQ(NamesForMonitorLog("/", "/d/a.b.bin").outputFile, "/d/a.b.CSV");
    EXPECT_EQ(NamesForMonitorLog("/", "/run.1/LOG").outputFile, "/run.1/LOG.CSV");
    EXPECT_EQ(NamesForMonitorLog("/", "LOG.BIN").outputFile, "LOG.CSV");
}

}  // namespace
}  // namespace quelda
