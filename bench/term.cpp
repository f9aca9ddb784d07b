// The terminal's line list under a flood: lines added per second (each a
// received frame, as fast display adds them), and the work of one paint of
// a full list at the bottom (visible pieces found and decoded).
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "term/CTermLineList.h"
#include "term/DisplayText.h"
#include "term/TermGeometry.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Keeps the optimiser from dropping the measured work.
volatile std::size_t g_sink = 0;

void BenchAddLine() {
    quelda::CTermLineList list;
    list.SetCharsPerRow(80);
    const std::string frame = "$QVR,MON,1234,5678,90*4F\r\n";
    constexpr int kLines = 3000000;
    const auto start = Clock::now();
    for (int i = 0; i < kLines; ++i) list.AddLine(frame, quelda::kLineReceived);
    const double s = Seconds(start);
    g_sink = g_sink + list.Size();
    std::printf("term_addline_per_s: %.0f\n", kLines / s);
}

void BenchReplaceLast() {
    quelda::CTermLineList list;
    list.SetCharsPerRow(80);
    std::string line;
    constexpr int kBytes = 2000000;
    const auto start = Clock::now();
    for (int i = 0; i < kBytes; ++i) {
        line.push_back(static_cast<char>('A' + i % 26));
        if (line.size() == 1) {
            list.AddLine(line, quelda::kLineReceived);
        } else {
            list.ReplaceLast(line, quelda::kLineReceived);
        }
        if (line.size() >= 26) line.clear();  // a 26-byte received line
    }
    const double s = Seconds(start);
    g_sink = g_sink + list.Size();
    std::printf("term_replacelast_bytes_per_s: %.0f\n", kBytes / s);
}

void BenchPaintPreparation() {
    quelda::CTermLineList list;
    for (int i = 0; i < 301; ++i) {
        list.AddLine(
            "\x93\xfa\x96\x7b $QVR,MON,1234,5678,90*4F frame number " + std::to_string(i) + "\r\n",
            quelda::kLineReceived);
    }
    const int lh = 16;
    const int width = 1200, height = 800;
    list.SetCharsPerRow(quelda::CharsPerRow(width, lh));
    const long long y0 = quelda::BottomScrollPosition(list.HeightRows() * lh, height);
    quelda::CDisplayDecoder decoder;
    constexpr int kPaints = 20000;
    const auto start = Clock::now();
    for (int p = 0; p < kPaints; ++p) {
        for (const quelda::RowPiece& piece : list.VisiblePieces(lh, y0, height)) {
            const std::string& text = list.Line(piece.line).text;
            g_sink = g_sink + decoder.ToUtf8(text.substr(piece.offset, piece.length)).size();
        }
    }
    std::printf("term_paint_prep_us: %.2f\n", Seconds(start) * 1e6 / kPaints);
}

}  // namespace

int main() {
    BenchAddLine();
    BenchReplaceLast();
    BenchPaintPreparation();
    return 0;
}
