#pragma once
// An EEPROM window on a fake view context over a scratch program directory
// that holds the demo's page table and data file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "app/CChildFrame.h"
#include "grid/CPGrid.h"
#include "support/FakeViewContext.h"
#include "support/TempDir.h"
#include "support/UiTestSupport.h"
#include "views/eeprom/CEepromView.h"
#include "views/eeprom/CPageTabs.h"

namespace quelda::test {

inline const std::string kDemoDir = QUELDA_SOURCE_DIR "/src/ui/res/demo/";

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Copies the demo's EEPROM files into dir.
inline void WriteDemoEepromFiles(const TempDir& dir) {
    for (const char* name : {"EEPROMTAB.TXT", "EEPROM.CSV"}) {
        dir.Write(name, ReadWhole(kDemoDir + name));
    }
}

// The application before the fake context, whose printer needs it.
struct UiAppFirst {
    UiAppFirst() { UiApp(); }
};

class EepromViewTest : public ::testing::Test, private UiAppFirst {
protected:
    void SetUp() override {
        UiApp();
        WriteFiles();
        context.appDir = dir.Path();
        view = new CEepromView(context);
        frame = std::make_unique<CChildFrame>(context, view);
        view->OnInitialUpdate();
    }
    virtual void WriteFiles() { WriteDemoEepromFiles(dir); }

    QStringList PromptTexts() const {
        QStringList texts;
        for (const auto& shown : context.prompts) texts << shown.text;
        return texts;
    }
    CPGrid* Left() const { return view->Grid(0); }
    CPGrid* Right() const { return view->Grid(1); }

    TempDir dir;
    FakeViewContext context;
    CEepromView* view = nullptr;
    std::unique_ptr<CChildFrame> frame;
};

}  // namespace quelda::test
