#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "status/StatusTable.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

// Many items naming one table hold one copy of it; devices and FIFOs as a
// table give an empty one at once.
TEST(StatusTableCache, LoadsEachFileOnceAndSharesIt) {
    test::TempDir dir;
    dir.Write("A.TXT", "title\nBit,0,1,ON,255,0,0,0,1\n");
    dir.Write("B.TXT", "title\n");
    ASSERT_EQ(::symlink("/dev/zero", dir.File("Z.TXT").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("F.TXT").c_str(), 0600), 0);
    StatusTableCache cache;
    const StatusList first = cache.Load(dir.File("A.TXT"));
    dir.Write("A.TXT", "changed\n");  // read once: a second item sees the first read
    const StatusList second = cache.Load(dir.File("A.TXT"));
    EXPECT_TRUE(first.SharedWith(second));
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].text, "ON");
    EXPECT_FALSE(cache.Load(dir.File("B.TXT")).SharedWith(first));
    EXPECT_TRUE(cache.Load(dir.File("Z.TXT")).empty());
    EXPECT_TRUE(cache.Load(dir.File("F.TXT")).empty());
}

}  // namespace
}  // namespace quelda
