// The converter dialog over generated logs: a conversion through it, its
// messages and whether it stays open, the progress bar, the file choosers,
// and a stop in the middle of a large log while the dialog keeps answering.
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "support/UiTestSupport.h"
#include "tools/bintext/CBinTextDlg.h"

namespace quelda::test {
namespace {

const QString kStopped =
    QStringLiteral("The conversion was stopped; the output file keeps the lines written so far");

// A counter in column 1 and its low byte halved in column 2.
const char* const kDefinition =
    "title\n"
    "1,Count,INT4LE,1,%d,INT4\n"
    "2,Half,UCHAR,0.5,%.1f,FLOAT\n";

std::string Block(uint32_t k, std::size_t size = 5) {
    std::string data(size, '\x07');
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char>(k >> (8 * i));
    if (size > 4) data[4] = static_cast<char>(k & 0xFF);
    const std::size_t l = data.size() + 2;
    return std::string{static_cast<char>(l & 0xFF), static_cast<char>(l >> 8)} + data;
}

std::string LineOf(uint32_t k) {
    std::ostringstream line;
    line << k << ',' << (k & 0xFF) / 2 << ((k & 1) ? ".5" : ".0") << ",\r\n";
    return line.str();
}

const std::string kHeader = "Count,Half,\r\n";

std::string Log(uint32_t blocks, std::size_t size = 5) {
    std::string bytes = "Count,Half,\r\n";
    for (uint32_t k = 0; k < blocks; ++k) bytes += Block(k, size);
    return bytes;
}

// About 150 MB, written once for the tests that stop a conversion.
class LargeLog {
public:
    static constexpr uint32_t kBlocks = 4'000'000;
    static const std::string& Path() {
        static LargeLog log;
        return log.m_path;
    }

private:
    LargeLog() : m_path(m_dir.File("large.BIN")) {
        std::ofstream out(m_path, std::ios::binary);
        std::string chunk = "Count,Half,\r\n";
        for (uint32_t k = 0; k < kBlocks; ++k) {
            chunk += Block(k, 30);
            if (chunk.size() > (1u << 20)) {
                out << chunk;
                chunk.clear();
            }
        }
        out << chunk;
    }
    TempDir m_dir;
    std::string m_path;
};

// Records which file dialog was asked for and with what.
class RecordingPrompt : public FakeUserPrompt {
public:
    struct Asked {
        bool save;
        QString title, initial, filter;
    };
    std::vector<Asked> asked;
    QString GetOpenFileName(const QString& t, const QString& i, const QString& f) override {
        asked.push_back({false, t, i, f});
        return fileName;
    }
    QString GetSaveFileName(const QString& t, const QString& i, const QString& f) override {
        asked.push_back({true, t, i, f});
        return fileName;
    }
};

class BinTextDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        UiApp();
        dir.Write("MONITOR3.TXT", kDefinition);
    }
    // A shown dialog over in.BIN (or binaryFile), MONITOR3.TXT and out.CSV.
    std::unique_ptr<CBinTextDlg> Open(const std::string& binaryFile = std::string()) {
        BinTextNames names{binaryFile.empty() ? dir.File("in.BIN") : binaryFile,
                           dir.File("MONITOR3.TXT"), dir.File("out.CSV")};
        auto dlg = std::make_unique<CBinTextDlg>(dir.Path(), 0, prompt, names);
        dlg->show();
        return dlg;
    }
    static bool WaitIdle(CBinTextDlg& dlg) {
        return WaitUntil([&] { return !dlg.IsConverting(); }, 120000);
    }
    std::string Output() const { return dir.Read("out.CSV"); }

    TempDir dir;
    RecordingPrompt prompt;
};

TEST_F(BinTextDlgTest, PrefilledConversionWritesTheCsvAndCloses) {
    dir.Write("in.BIN", Log(7));
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Binary to Text Convert");
    EXPECT_EQ(dlg->BinaryEdit()->text(), QString::fromStdString(dir.File("in.BIN")));
    EXPECT_EQ(dlg->OutputEdit()->text(), QString::fromStdString(dir.File("out.CSV")));
    EXPECT_EQ(dlg->RateEdit()->text(), "1");
    dlg->RateEdit()->setText("3");
    dlg->ConvertButton()->click();
    ASSERT_TRUE(WaitIdle(*dlg));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(prompt.messages.empty()) << prompt.MessageTexts().join('|').toStdString();
    EXPECT_EQ(Output(), kHeader + LineOf(0) + LineOf(3) + LineOf(6));
}

TEST_F(BinTextDlgTest, MessagesAndWhetherTheDialogStaysOpen) {
    struct Case {
        std::string log;
        QString rate;
        QString message;
        bool staysOpen;
        std::string output;  // "-": none written
    };
    const Case cases[] = {
        {Log(2), "0", "Value of the conversion ratio is abnormal", true, "-"},
        {Log(2), "", "Value of the conversion ratio is abnormal", true, "-"},
        {Log(2) + std::string("\x01\x00", 2) + Block(2), "1",
         "The data length of the BINARY file =1 is abnormal", true,
         kHeader + LineOf(0) + LineOf(1)},
        {Log(2) + Block(2, 4), "1",
         "The data length of the BINARY file =4 or see definition =4 is abnormal", false,
         kHeader + LineOf(0) + LineOf(1)},
        {Log(2) + "\x09", "1", "The last block of the BINARY file is incomplete", false,
         kHeader + LineOf(0) + LineOf(1)},
    };
    for (const Case& c : cases) {
        std::remove(dir.File("out.CSV").c_str());
        dir.Write("in.BIN", c.log);
        prompt.messages.clear();
        auto dlg = Open();
        dlg->RateEdit()->setText(c.rate);
        dlg->ConvertButton()->click();
        ASSERT_TRUE(WaitIdle(*dlg));
        EXPECT_EQ(prompt.MessageTexts(), QStringList{c.message});
        EXPECT_EQ(dlg->isVisible(), c.staysOpen) << c.message.toStdString();
        EXPECT_EQ(std::ifstream(dir.File("out.CSV")) ? Output() : "-", c.output)
            << c.message.toStdString();
        EXPECT_TRUE(dlg->ConvertButton()->isEnabled());
    }
}

TEST_F(BinTextDlgTest, ProgressIsFullExactlyWhenTheFileIsRead) {
    const std::string log = Log(300'000);  // a few megabytes: many updates
    dir.Write("in.BIN", log);
    auto dlg = Open();
    QSignalSpy values(dlg->ProgressBar(), &QProgressBar::valueChanged);
    dlg->ConvertButton()->click();
    ASSERT_TRUE(WaitIdle(*dlg));
    EXPECT_EQ(dlg->ProgressBar()->minimum(), 0);
    EXPECT_EQ(dlg->ProgressBar()->maximum(), int(log.size()));
    EXPECT_EQ(dlg->ProgressBar()->value(), int(log.size()));
    ASSERT_GT(values.size(), 2);
    for (int i = 0; i + 1 < values.size(); ++i) {
        EXPECT_LT(values[i][0].toInt(), values[i + 1][0].toInt());
    }
    EXPECT_EQ(values.last()[0].toInt(), int(log.size()));
    std::string expected = kHeader;
    for (uint32_t k = 0; k < 300'000; ++k) expected += LineOf(k);
    EXPECT_EQ(Output(), expected);

    // a conversion that ends at a bad field stops the bar where reading stopped
    const std::string bad = Log(1001) + Block(1001, 4);
    dir.Write("in.BIN", bad + Block(1002));
    dlg = Open();
    dlg->ConvertButton()->click();
    ASSERT_TRUE(WaitIdle(*dlg));
    EXPECT_EQ(dlg->ProgressBar()->maximum(), int(bad.size() + Block(1002).size()));
    EXPECT_EQ(dlg->ProgressBar()->value(), int(bad.size() - Block(1001, 4).size()));
}

TEST_F(BinTextDlgTest, CancelStopsALargeConversionAndKeepsCompleteLines) {
    auto dlg = Open(LargeLog::Path());
    dlg->ConvertButton()->click();
    EXPECT_TRUE(dlg->IsConverting());
    EXPECT_FALSE(dlg->ConvertButton()->isEnabled());
    // the bar moves while the conversion runs: the dialog's events are served
    QProgressBar* bar = dlg->ProgressBar();
    ASSERT_TRUE(
        WaitUntil([&] { return bar->value() > 0 && bar->value() < bar->maximum(); }, 60000));
    EXPECT_TRUE(dlg->IsConverting());
    dlg->CancelButton()->click();
    ASSERT_TRUE(WaitIdle(*dlg));
    EXPECT_TRUE(dlg->isVisible());  // stays open, so the user may convert again
    EXPECT_EQ(prompt.MessageTexts(), QStringList{kStopped});
    EXPECT_LT(bar->value(), bar->maximum());

    const std::string out = Output();
    ASSERT_EQ(out.substr(0, kHeader.size()), kHeader);
    std::size_t at = kHeader.size();
    uint32_t k = 0;
    for (; at < out.size(); ++k) {
        const std::string line = LineOf(k);
        ASSERT_EQ(out.compare(at, line.size(), line), 0) << "line " << k;
        at += line.size();
    }
    EXPECT_GT(k, 0u);
    EXPECT_LT(k, LargeLog::kBlocks);

    // idle, Cancel closes
    dlg->CancelButton()->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(BinTextDlgTest, ClosingDuringAConversionStopsIt) {
    auto dlg = Open(LargeLog::Path());
    dlg->ConvertButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return dlg->ProgressBar()->value() > 0; }, 60000));
    // Escape asks the same as Cancel: the dialog stays until the stop is done
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
    dlg.reset();  // waits for the conversion's thread
    const std::string out = Output();
    EXPECT_EQ(out.substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
    EXPECT_TRUE(prompt.messages.empty());  // the dialog was gone before its end was told
}

TEST_F(BinTextDlgTest, RefButtonsChooseFilesWithTheirFilters) {
    auto dlg = Open();
    struct Case {
        QPushButton* ref;
        QLineEdit* edit;
        bool save;
        const char* filter;
        const char* extension;
    };
    const Case cases[] = {
        {dlg->BinaryRefButton(), dlg->BinaryEdit(), false, "BINARY(*.BIN)", ".BIN"},
        {dlg->DefinitionRefButton(), dlg->DefinitionEdit(), false, "定義ファイル(*.TXT)", ".TXT"},
        {dlg->OutputRefButton(), dlg->OutputEdit(), true, "テキストファイル(*.CSV)", ".CSV"},
    };
    const QString base = QString::fromStdString(dir.File("chosen"));
    for (const Case& c : cases) {
        const QString before = c.edit->text();
        prompt.asked.clear();
        prompt.fileName.clear();  // the chooser cancelled
        c.ref->click();
        EXPECT_EQ(c.edit->text(), before);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].save, c.save);
        EXPECT_EQ(prompt.asked[0].initial, before);
        EXPECT_EQ(prompt.asked[0].filter, QString::fromUtf8(c.filter));
        prompt.fileName = base;  // no extension: the default one is added
        c.ref->click();
        EXPECT_EQ(c.edit->text(), base + c.extension);
        prompt.fileName = base + ".dat";
        c.ref->click();
        EXPECT_EQ(c.edit->text(), base + ".dat");
    }
}

TEST_F(BinTextDlgTest, RateTakesDigitsOnlyAndEveryControlIsNamed) {
    auto dlg = Open();
    dlg->RateEdit()->clear();
    QTest::keyClicks(dlg->RateEdit(), "a1-2.5");
    EXPECT_EQ(dlg->RateEdit()->text(), "125");

    QStringList names;
    for (QWidget* w : dlg->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QProgressBar*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
            names << w->accessibleName();
        }
    }
    EXPECT_EQ(names.removeDuplicates(), 0) << names.join('|').toStdString();

    // idle, Cancel closes and writes nothing
    dlg->CancelButton()->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(std::ifstream(dir.File("out.CSV")));
}

}  // namespace
}  // namespace quelda::test
