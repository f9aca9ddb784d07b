// The application's parts that need no window: the command line, the program
// directory, the restore request between instances, prompt texts, text
// decoding, the display font and the demo copy.
#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <filesystem>

#include "app/CDemoSession.h"
#include "app/CMenuBuilder.h"
#include "app/CSingleInstance.h"
#include "app/ProgramDir.h"
#include "app/PromptTexts.h"
#include "app/UiFont.h"
#include "app/UiText.h"
#include "app/WindowKinds.h"
#include "support/TempDir.h"
#include "support/UiTestSupport.h"

namespace quelda::test {
namespace {

struct OptionsRow {
    QStringList arguments;
    QString environment;
    QString dir;
    bool demo;
    bool raise;
    bool error;
};

TEST(AppOptionsTest, CommandLineAndEnvironment) {
    const OptionsRow rows[] = {
        {{}, "", "", false, false, false},
        {{}, "/env/dir", "/env/dir", false, false, false},
        {{"--dir", "/a/b"}, "/env/dir", "/a/b", false, false, false},
        {{"--dir=/c"}, "", "/c", false, false, false},
        {{"--demo"}, "", "", true, false, false},
        {{"--raise"}, "", "", false, true, false},
        {{"--dir"}, "", "", false, false, true},
        {{"--frobnicate"}, "", "", false, false, true},
    };
    for (const OptionsRow& row : rows) {
        const AppOptions options = ParseAppOptions(row.arguments, row.environment);
        const std::string what = row.arguments.join(' ').toStdString();
        EXPECT_EQ(!options.error.isEmpty(), row.error) << what;
        if (row.error) continue;
        EXPECT_EQ(options.dir, row.dir) << what;
        EXPECT_EQ(options.demo, row.demo) << what;
        EXPECT_EQ(options.raise, row.raise) << what;
    }
}

TEST(AppOptionsTest, TheDemoGoesToTheDirectoryOfDirElseToTheDataDirectory) {
    const struct {
        QStringList arguments;
        QString environment;
        QString demoDir;
    } rows[] = {
        {{"--demo"}, "", "/data/demo"},
        {{"--demo"}, "/env/dir", "/data/demo"},
        {{"--demo", "--dir", "/d"}, "/env/dir", "/d"},
        {{"--dir=/e", "--demo"}, "", "/e"},
    };
    for (const auto& row : rows) {
        const AppOptions options = ParseAppOptions(row.arguments, row.environment);
        EXPECT_EQ(DemoProgramDir(options, QStringLiteral("/data")), row.demoDir)
            << row.arguments.join(' ').toStdString();
    }
}

TEST(AppOptionsTest, ProgramDirectoriesAreAbsoluteWithASlash) {
    UiApp();
    EXPECT_EQ(AsProgramDir(QStringLiteral("/tmp/x/../y")), "/tmp/y/");
    EXPECT_EQ(AsProgramDir(QStringLiteral("/tmp/y/")), "/tmp/y/");
    EXPECT_EQ(AsProgramDir(QStringLiteral("rel")).front(), '/');
    EXPECT_EQ(ExecutableDir().back(), '/');
}

TEST(AppOptionsTest, HelpComesFromTheProgramDirectoryElseBesideTheProgram) {
    UiApp();
    TempDir dir;
    EXPECT_EQ(HelpFilePath(dir.Path()),
              QString::fromStdString(ExecutableDir()) + QStringLiteral("help/help.html"));
    std::filesystem::create_directories(dir.File("help"));
    dir.Write("help/help.html", "<html></html>");
    EXPECT_EQ(HelpFilePath(dir.Path()).toStdString(), dir.File("help/help.html"));
}

TEST(SingleInstanceTest, ASecondStartRaisesTheFirst) {
    UiApp();
    const QString name = QStringLiteral("quelda-test-%1").arg(QCoreApplication::applicationPid());
    CSingleInstance second(name);
    EXPECT_FALSE(second.AskRunningToRaise(200));
    CSingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QSignalSpy raised(&first, &CSingleInstance::RaiseRequested);
    EXPECT_TRUE(second.AskRunningToRaise(2000));
    EXPECT_TRUE(WaitUntil([&] { return raised.count() == 1; }));
}

TEST(PromptTextsTest, SplitTrimsBothParts) {
    const PromptText split = SplitPrompt(QStringLiteral("Terminal Display \n Terminal"));
    EXPECT_EQ(split.statusTip, QStringLiteral("Terminal Display"));
    EXPECT_EQ(split.toolTip, QStringLiteral("Terminal"));
    EXPECT_EQ(SplitPrompt(QStringLiteral(" only status ")).statusTip,
              QStringLiteral("only status"));
    EXPECT_TRUE(SplitPrompt(QStringLiteral(" only status ")).toolTip.isEmpty());
    EXPECT_EQ(PromptFor(1017).toolTip, QStringLiteral("LogFileName"));
    EXPECT_TRUE(PromptFor(32784).statusTip.isEmpty());
}

TEST(UiTextTest, Utf8AndTheJapaneseCodePage) {
    UiApp();
    const std::string utf8 = "ＥＥＰＲＯＭ";
    EXPECT_EQ(DecodeText(utf8), QStringLiteral("ＥＥＰＲＯＭ"));
    const std::string cp932 = "\x82\x64\x82\x64";  // two full-width E
    EXPECT_FALSE(IsValidUtf8(cp932));
    EXPECT_EQ(DecodeText(cp932), QStringLiteral("ＥＥ"));
    EXPECT_EQ(EncodeText(QStringLiteral("ＥＥ"), cp932), cp932);
    EXPECT_EQ(EncodeText(QStringLiteral("ＥＥ"), "ascii"), "ＥＥ");
    EXPECT_EQ(DecodeText(std::string("a\0b", 3)).size(), 3);
}

TEST(UiFontTest, TheDisplayFontIsFixedPitchWithJapaneseGlyphs) {
    UiApp();
    const QFont font = DisplayFont(120);
    // Every Latin character takes the same width (widths are counted in them).
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("MMMM")))
        << DisplayFontFamily().toStdString();
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
    EXPECT_DOUBLE_EQ(DisplayFont(0).pointSizeF(), 1.0);
    EXPECT_DOUBLE_EQ(DisplayFont(100000).pointSizeF(), 100.0);
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans Mono CJK JP"))) {
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans Mono CJK JP"));
    }
}

TEST(WindowKindsTest, RegisteredInOrderWithTheirCommandsAndMenus) {
    const char* names[] = {"TERM",     "Monitor1", "Monitor2", "Monitor3",
                           "Monitor4", "Status",   "Eeprom",   "Simulator"};
    const int menus[] = {129, 104, 105, 106, 107, 108, 109, 110};
    for (int i = 0; i < kWindowKinds; ++i) {
        const WindowKindInfo& info = WindowKinds()[i];
        EXPECT_STREQ(info.typeName, names[i]);
        EXPECT_EQ(static_cast<int>(info.kind), i);
        EXPECT_EQ(info.viewCommand, 32777 + i);
        EXPECT_EQ(info.menuId, menus[i]);
        EXPECT_EQ(FindWindowKind(QString::fromLatin1(names[i])), &info);
        EXPECT_EQ(WindowKindOfCommand(32777 + i), &info);
    }
    EXPECT_EQ(FindWindowKind(QStringLiteral("EEPROM")), nullptr);
    EXPECT_EQ(WindowKindOfCommand(32785), nullptr);
}

TEST(MenuBuilderTest, FilteredItemsLeaveNoDoubleSeparators) {
    UiApp();
    QMenuBar bar;
    CMenuBuilder builder(
        [](int, const QString& text, QMenu* menu) { return new QAction(text, menu); },
        [](int id) { return id != 32774; });
    const QList<QMenu*> menus = builder.Build(&bar, 129);
    QMenu* communicate = menus.at(2);
    QStringList shape;
    for (QAction* action : communicate->actions()) {
        shape << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(shape,
              (QStringList{"Connect", "Disconnect", "-", "Send Command Line",
                           "Communication setting request", "-", "Save the communication log"}));
}

TEST(DemoSessionTest, CopiesOnlyWhatIsMissing) {
    UiApp();
    TempDir source;
    TempDir target;
    source.Write("A.TXT", "new a");
    std::filesystem::create_directories(source.File("device"));
    source.Write("device/B.TXT", "new b");
    target.Write("A.TXT", "kept");
    ASSERT_TRUE(CDemoSession::CopyMissingFiles(QString::fromStdString(source.Path()),
                                               QString::fromStdString(target.Path())));
    EXPECT_EQ(target.Read("A.TXT"), "kept");
    EXPECT_EQ(target.Read("device/B.TXT"), "new b");
    EXPECT_FALSE(CDemoSession::CopyMissingFiles(QStringLiteral("/nonexistent/demo"),
                                                QString::fromStdString(target.Path())));
}

TEST(DemoSessionTest, AMissingDeviceIsReported) {
    UiApp();
    TempDir source;
    TempDir target;
    source.Write("PSETTING.TXT", "COM1\r\n");
    CDemoSession demo(QString::fromStdString(source.Path()), QString::fromStdString(target.Path()),
                      QStringLiteral("/nonexistent/quelda-device"));
    EXPECT_FALSE(demo.Start(1000));
    EXPECT_FALSE(demo.Error().isEmpty());
}

}  // namespace
}  // namespace quelda::test
