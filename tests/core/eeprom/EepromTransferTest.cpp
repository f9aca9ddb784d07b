// The EEPROM transfer against a fake main frame that answers like a device.
#include <gtest/gtest.h>

#include <cstdio>

#include "eeprom/EepromData.h"
#include "eeprom/EepromTransfer.h"
#include "eeprom/ItemWord.h"
#include "support/FakeHost.h"
#include "text/CommaLines.h"
#include "text/LenientNumbers.h"

namespace quelda {
namespace {

using test::FakeHost;
using Lines = std::vector<std::string>;
using Outcome = CEepromTransfer::Outcome;

const char* const kBusy =
    "The line was busy: another command awaits its reply. The EEPROM transfer has stopped";
const char* const kShort =
    "The EEPROM read answer holds fewer than 32 values. The read has stopped";
const char* const kNoPage = "There is no data in the EEPROMTAB.TXT!";

class FakeLink : public IEepromTransferHost {
public:
    bool SendCommand(const std::string& text) override {
        if (refuseAt == sent.size()) {
            refuseAt = SIZE_MAX;
            ++refusals;
            return false;
        }
        sent.push_back(text);
        return true;
    }
    void ClearReplyWait() override { ++clears; }
    int ByteWord() const override { return byteWord; }
    void StorePage() override { ++stores; }
    void ShowPage() override { ++shows; }

    Lines sent;
    std::size_t refuseAt = SIZE_MAX;  // index of the send to refuse, once
    int refusals = 0;
    int clears = 0;
    int byteWord = 0;
    int stores = 0;
    int shows = 0;
};

std::string Hex(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(v));
    return text;
}

// The device's memory: a byte or word that tells its address.
uint32_t ByteAt(uint32_t addr) { return (addr * 7 + 3) & 0xFF; }
uint32_t WordAt(uint32_t addr) { return addr * 0x10001u + 0x5A; }

// A "DB"/"DW" answer frame with the values of `count` addresses.
std::string Answer(const std::string& request, std::size_t count = 32) {
    const std::vector<std::string> f = SplitElements(request);  // "DB", address, ""
    const uint32_t addr = ScanHex32(f[1]);
    std::string text = "$QVR," + f[0];
    for (uint32_t i = 0; i < count; ++i) {
        text += "," + Hex(f[0] == "DB" ? ByteAt(addr + i) : WordAt(addr + i));
    }
    return text + "*00\r\n";
}

class EepromTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.answer = true;
        SetPages(33);
        Lines lines = {"name,type,lsb,format,unit,value,hex,display"};
        for (int i = 1; i < static_cast<int>(kDataFileLines); ++i) {
            lines.push_back("P" + std::to_string(i) + ",INT4,1,%u,,0," + Hex(i * 0x01020304u) +
                            ",UINT4");
        }
        ItemsFromLines(lines, transfer.Items());
    }

    // Line 0 the signature at 10, then page p at 100 + (p - 1) x 80 with its
    // checksum at 1000 + p.
    void SetPages(int count) {
        transfer.Pages().clear();
        for (int p = 0; p < count; ++p) {
            if (p == 0) {
                transfer.Pages().push_back({"Sig", "10", "0"});
            } else {
                transfer.Pages().push_back(
                    {"P" + std::to_string(p), Hex(0x100 + (p - 1) * 0x80), Hex(0x1000 + p)});
            }
        }
    }

    // Answers every request while the read runs; returns the request count.
    std::size_t AnswerReads(std::size_t stopAfter = SIZE_MAX) {
        std::size_t answered = 0;
        while (transfer.Receiving() && answered < stopAfter) {
            EXPECT_TRUE(host.TimerRunning(CEepromTransfer::kTimerId));
            transfer.OnDataAnswer(Answer(link.sent.back()));
            ++answered;
        }
        return answered;
    }

    std::size_t AckWrites(std::size_t stopAfter = SIZE_MAX) {
        std::size_t acked = 0;
        while (transfer.Sending() && acked < stopAfter) {
            EXPECT_EQ(host.timers.at(CEepromTransfer::kTimerId), 5000);
            transfer.OnAck();
            ++acked;
        }
        return acked;
    }

    const std::string& Item(std::size_t i) { return transfer.Items()[i].hexValue; }

    FakeHost host;
    FakeLink link;
    CEepromTransfer transfer{link, host, host};
};

TEST_F(EepromTransferTest, AllRecvReadsEveryPageInBothAccessModes) {
    transfer.StartAllRecv();
    EXPECT_EQ(host.asks, Lines{"You will receive all the data . is it OK?"});
    EXPECT_EQ(AnswerReads(), 128u);
    ASSERT_EQ(link.sent.size(), 128u);
    EXPECT_EQ(Lines(link.sent.begin(), link.sent.begin() + 5),
              (Lines{"DB,100*", "DB,120*", "DB,140*", "DB,160*", "DB,180*"}));
    EXPECT_EQ(link.sent.back(), "DB,10E0*");
    EXPECT_EQ(host.messages, Lines{"Read has completed successfully"});
    EXPECT_EQ(transfer.LastOutcome(), Outcome::Completed);
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));
    EXPECT_EQ(link.clears, 129);  // before each request, and at the end
    EXPECT_EQ(link.shows, 128);
    // item k of page p: the four bytes at its address, the lowest first in W
    EXPECT_EQ(Item(1),
              Hex(ByteAt(0x100) << 24 | ByteAt(0x101) << 16 | ByteAt(0x102) << 8 | ByteAt(0x103)));
    EXPECT_EQ(Item(1024), Hex(ByteAt(0x10FC) << 24 | ByteAt(0x10FD) << 16 | ByteAt(0x10FE) << 8 |
                              ByteAt(0x10FF)));
    EXPECT_EQ(transfer.Items()[1].value, std::to_string(StoredWord(transfer.Items()[1])));
    EXPECT_EQ(Item(0), "hex");  // the header is never transferred

    link = FakeLink();
    link.byteWord = 2;
    host.messages.clear();
    transfer.StartAllRecv();
    EXPECT_EQ(AnswerReads(), 32u);
    EXPECT_EQ(Lines(link.sent.begin(), link.sent.begin() + 2), (Lines{"DW,100*", "DW,180*"}));
    EXPECT_EQ(Item(33), Hex(WordAt(0x180)));
    EXPECT_EQ(Item(1024), Hex(WordAt(0x1080 + 31)));
    EXPECT_EQ(host.messages, Lines{"Read has completed successfully"});
}

TEST_F(EepromTransferTest, AllSendWritesTheSignatureThenEachPagesDataAndChecksum) {
    for (int byteWord : {0, 1}) {
        SCOPED_TRACE(byteWord);
        link = FakeLink();
        link.byteWord = byteWord;
        host.messages.clear();
        transfer.Items()[2].hexValue = "not hex";  // no hex digit: the word 0
        transfer.StartAllSend();
        EXPECT_EQ(link.stores, 1);
        EXPECT_EQ(AckWrites(), byteWord == 0 ? 161u : 65u);
        EXPECT_EQ(host.messages, Lines{"Writing has been completed successfully"});
        EXPECT_EQ(transfer.LastOutcome(), Outcome::Completed);
        ASSERT_EQ(link.sent.size(), byteWord == 0 ? 161u : 65u);
        EXPECT_EQ(link.sent[0], byteWord == 0 ? "EB,10,42,4F,52,45,4C,49,4E,4B,0,0,0,0,0,0,0,0*"
                                              : "EW,10,424F5245,4C494E4B*");
        const std::size_t perPage = byteWord == 0 ? 4 : 1;
        std::size_t next = 1;
        std::size_t item = 1;
        for (int p = 1; p <= 32; ++p) {
            uint32_t sum = 0;
            for (std::size_t d = 0; d < perPage; ++d, ++next) {
                const std::vector<std::string> f = SplitElements(link.sent[next]);
                ASSERT_EQ(f.size(), 35u) << link.sent[next];
                EXPECT_EQ(f[0], byteWord == 0 ? "EB" : "EW");
                EXPECT_EQ(ScanHex32(f[1]), 0x100u + (p - 1) * 0x80 + d * 0x20);
                for (std::size_t v = 2; v < 34; ++v) sum ^= ScanHex32(f[v]);
                // the values are the items' words, most significant byte first
                const uint32_t w = StoredWord(transfer.Items()[item]);
                EXPECT_EQ(ScanHex32(f[2]), byteWord == 0 ? w >> 24 : w);
                item += byteWord == 0 ? 8 : 32;
            }
            EXPECT_EQ(link.sent[next++], (byteWord == 0 ? "EB," : "EW,") + Hex(0x1000 + p) + "," +
                                             Hex(byteWord == 0 ? sum & 0xFF : sum) + "*");
        }
        if (byteWord == 0) {
            EXPECT_EQ(link.sent[1].substr(0, 24), "EB,100,1,2,3,4,0,0,0,0,3");
        }
        EXPECT_EQ(link.clears, static_cast<int>(link.sent.size()) + 1);
    }
}

TEST_F(EepromTransferTest, PageTransfersTouchOnlyTheirPage) {
    transfer.StartPageSend(0);
    EXPECT_EQ(host.asks.back(), "It sends the page data . is it OK?");
    EXPECT_EQ(AckWrites(), 5u);
    EXPECT_EQ(link.sent.front().substr(0, 7), "EB,100,");  // no signature
    EXPECT_EQ(link.sent.back().substr(0, 8), "EB,1001,");
    EXPECT_EQ(host.messages, Lines{"Writing has been completed successfully"});

    link.sent.clear();
    transfer.StartPageRecv(2);
    EXPECT_EQ(host.asks.back(), "You will receive the page data . is it OK?");
    EXPECT_EQ(AnswerReads(), 4u);
    EXPECT_EQ(link.sent, (Lines{"DB,200*", "DB,220*", "DB,240*", "DB,260*"}));
    EXPECT_EQ(Item(64), Hex(64 * 0x01020304u));  // page 2 untouched
    EXPECT_EQ(Item(65),
              Hex(ByteAt(0x200) << 24 | ByteAt(0x201) << 16 | ByteAt(0x202) << 8 | ByteAt(0x203)));
    EXPECT_NE(Item(96), Hex(96 * 0x01020304u));
    EXPECT_EQ(Item(97), Hex(97 * 0x01020304u));
}

TEST_F(EepromTransferTest, QuestionsAndBusyStarts) {
    host.answer = false;
    transfer.StartAllSend();
    EXPECT_TRUE(link.sent.empty());
    EXPECT_FALSE(transfer.Running());

    host.answer = true;
    transfer.StartAllRecv();
    ASSERT_EQ(link.sent.size(), 1u);
    for (int i = 0; i < 2; ++i) {
        transfer.StartPageSend(0);
        transfer.StartAllRecv();
    }
    EXPECT_EQ(host.asks.size(), 6u);
    EXPECT_EQ(host.messages, Lines(4, "now communication..."));
    EXPECT_EQ(link.sent.size(), 1u);
    EXPECT_TRUE(transfer.Receiving());
    EXPECT_FALSE(transfer.Sending());

    // an answer that comes after the transfer is gone does nothing
    std::function<void(bool)> late;
    class Deferring : public FakeHost {
    public:
        std::function<void(bool)>* keep = nullptr;
        void ShowPrompt(const Prompt& p, std::function<void(bool)> reply) override {
            *keep = reply;
        }
    } deferring;
    deferring.keep = &late;
    FakeLink other;
    {
        CEepromTransfer gone(other, deferring, deferring);
        gone.Pages() = transfer.Pages();
        gone.StartAllRecv();
    }
    ASSERT_TRUE(late);
    late(true);
    EXPECT_TRUE(other.sent.empty());
}

TEST_F(EepromTransferTest, NakAndTimeOutEndTheTransferWhereTheyCome) {
    transfer.StartAllSend();
    AckWrites(6);
    ASSERT_EQ(link.sent.size(), 7u);
    const int clears = link.clears;
    transfer.OnNak();
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(transfer.LastOutcome(), Outcome::Ended);
    EXPECT_TRUE(host.messages.empty());  // the main frame has shown its own
    EXPECT_EQ(link.clears, clears + 1);
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));
    transfer.OnAck();  // late: nothing more goes out
    EXPECT_EQ(link.sent.size(), 7u);
    // a new All Send starts from the signature block
    transfer.StartAllSend();
    EXPECT_EQ(link.sent.back().substr(0, 6), "EB,10,");
    transfer.OnNak();

    transfer.StartAllRecv();
    AnswerReads(2);
    const std::string before = Item(17);
    transfer.OnTimer(CEepromTransfer::kTimerId + 1);  // not its timer
    EXPECT_TRUE(transfer.Receiving());
    transfer.OnTimer(CEepromTransfer::kTimerId);
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(host.messages, Lines{"Receive timeout occurred"});
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));
    transfer.OnDataAnswer(Answer(link.sent.back()));  // too late: ignored
    EXPECT_EQ(Item(17), before);
    transfer.OnTimer(CEepromTransfer::kTimerId);  // a stale expiry
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(EepromTransferTest, ARefusedSendEndsWithABusyMessage) {
    link.refuseAt = 0;
    transfer.StartAllRecv();
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(host.messages, Lines{kBusy});
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));

    host.messages.clear();
    link.clears = 0;
    link.refuseAt = 2;
    transfer.StartAllSend();
    AckWrites();
    EXPECT_EQ(link.refusals, 2);
    EXPECT_EQ(link.sent.size(), 2u);
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(transfer.LastOutcome(), Outcome::Ended);
    EXPECT_EQ(host.messages, Lines{kBusy});
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));
    // the other window's wait is not cleared: only the two "ACK"s before
    EXPECT_EQ(link.clears, 2);
}

TEST_F(EepromTransferTest, AShortAnswerEndsTheReadAndFillsNothing) {
    transfer.StartAllRecv();
    AnswerReads(1);
    const std::vector<EepromItem> before = transfer.Items();
    const int clears = link.clears;
    transfer.OnDataAnswer(Answer(link.sent.back(), 31));
    EXPECT_FALSE(transfer.Running());
    EXPECT_EQ(host.messages, Lines{kShort});
    EXPECT_EQ(link.clears, clears + 1);
    EXPECT_FALSE(host.TimerRunning(CEepromTransfer::kTimerId));
    for (std::size_t i = 0; i < before.size(); ++i) {
        ASSERT_EQ(LineOfItem(transfer.Items()[i]), LineOfItem(before[i])) << i;
    }
    // 32 values and more: the surplus is ignored
    transfer.StartPageRecv(0);
    transfer.OnDataAnswer(Answer(link.sent.back(), 40));
    EXPECT_TRUE(transfer.Receiving());
    EXPECT_EQ(link.sent.back(), "DB,120*");
}

TEST_F(EepromTransferTest, MissingPageLinesEndBeforeAnythingIsSent) {
    const struct {
        int pages;
        void (CEepromTransfer::*start)(int);
        int tab;
    } cases[] = {
        {0, nullptr, 0},                          // All Send, no line at all
        {1, nullptr, 0},                          // All Send, the signature only
        {3, &CEepromTransfer::StartPageSend, 2},  // tab 2 names line 3
        {3, &CEepromTransfer::StartPageRecv, 2},
        {3, &CEepromTransfer::StartPageRecv, -1},  // no tab selected
        {1, nullptr, 1},                           // All Recv, the signature only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pages);
        SetPages(c.pages);
        host.messages.clear();
        if (c.start) {
            (transfer.*c.start)(c.tab);
        } else if (c.tab == 0) {
            transfer.StartAllSend();
        } else {
            transfer.StartAllRecv();
        }
        EXPECT_EQ(host.messages, Lines{kNoPage});
        EXPECT_TRUE(link.sent.empty());
        EXPECT_FALSE(transfer.Running());
        EXPECT_EQ(transfer.LastOutcome(), Outcome::Ended);
    }
    EXPECT_EQ(link.stores, 0);
}

TEST_F(EepromTransferTest, AnItemListShorterThanThePages) {
    transfer.Items().resize(FirstItemOfPage(2) + 3);  // page 2 holds 3 items
    transfer.StartAllRecv();
    AnswerReads();
    EXPECT_EQ(link.sent.size(), 128u);  // the read goes on
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], "Data display in the EEPROM data has ended");
    EXPECT_EQ(host.messages.back(), "Read has completed successfully");
    EXPECT_EQ(Item(35),
              Hex(ByteAt(0x188) << 24 | ByteAt(0x189) << 16 | ByteAt(0x18A) << 8 | ByteAt(0x18B)));

    host.messages.clear();
    link.sent.clear();
    transfer.StartAllSend();
    AckWrites();
    EXPECT_EQ(link.sent.size(), 6u);  // signature, page 1 and its checksum
    EXPECT_EQ(host.messages, Lines{"Data transmission EEPROM data has ended"});
    EXPECT_EQ(transfer.LastOutcome(), Outcome::Ended);
}

TEST_F(EepromTransferTest, ReplyFramesFillTheCheckField) {
    transfer.OnReply("$QVR,SUM,1A2B*00\r\n");
    EXPECT_EQ(transfer.CheckText(), "1A2B");
    transfer.OnReply("$QVR,COM*00\r\n");
    EXPECT_EQ(transfer.CheckText(), "00\r\n");
    EXPECT_FALSE(transfer.Running());
}

}  // namespace
}  // namespace quelda
