// Window places from QUELDA.INI at the limits of int: kept to what the
// screens can show, with no overflow on the way.
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>

#include "support/MainFrameFixture.h"

namespace quelda::test {
namespace {

TEST_F(MainFrameTest, HugeWindowPlacesAreBoundToTheScreens) {
    dir.Write("PSETTING.TXT", "/nonexistent/quelda-port\r\n");
    dir.Write("QUELDA.INI",
              "[MONITOR2]\r\nWINDOW_LEFT=100\r\nWINDOW_TOP=-2147483648\r\n"
              "WINDOW_WIDTH=2147483647\r\nWINDOW_HEIGHT=2147483647\r\n");
    Start();
    CQueldaChildFrame* monitor = main->ShowView(QStringLiteral("Monitor2"));
    const QRect place = qobject_cast<QMdiSubWindow*>(monitor->parentWidget())->geometry();
    const QSize screens = QGuiApplication::primaryScreen()->virtualSize();
    const int most = std::max(screens.width(), screens.height());
    EXPECT_EQ(place.left(), 100);
    EXPECT_GE(place.top(), -most);
    EXPECT_LE(place.width(), most);
    EXPECT_LE(place.height(), most);
    EXPECT_GE(place.width(), 1);
}

}  // namespace
}  // namespace quelda::test
