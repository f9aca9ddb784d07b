#pragma once
// One definition of SIMULATOR.TXT and the choices of its list.
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

// The form's parameter rows: 0-9 on the left, 10-19 on the right.
constexpr int kSimRows = 20;

// One line of a choice file.
struct SimOption {
    std::string text;   // column 1: shown in the list
    std::string value;  // column 2: becomes the parameter's value
};

struct SimParam {
    std::string caption;  // column 1
    std::string type;     // "STRING", "INT" or "FLOAT"
    std::string digits;   // kept as text: written back as it was read
    std::string format;
    std::string unit;
    std::string value;  // column 6: replaced at every Send
    std::string multiplier;
    std::string divisor;
    std::string offset;
    std::string choiceFile;  // column 10: empty for an edit row
    // Every line of the choice file; options[0] is its title, never offered.
    std::vector<SimOption> options;

    static SimParam FromLine(const std::string& line);
    // The ten columns joined by "," (no line end).
    std::string ToLine() const;

    bool IsChoiceRow() const { return !choiceFile.empty(); }
    // Choices the list offers: all but the title.
    std::size_t OfferedCount() const { return options.empty() ? 0 : options.size() - 1; }
    // The list's selection when the window opens: the last offered choice
    // whose value equals column 6, else the first offered; -1 when none is
    // offered.
    int InitialSelection() const;
    // The value a Send takes from a list whose selection (offered index, -1
    // for none) is given: the choice after the title by that index, the
    // title's own value for no selection, column 6 when there is no such
    // choice.
    std::string ValueForSelection(int selection) const;
    // The first offered choice shown as text, or -1.
    int FindOffered(const std::string& text) const;
};

}  // namespace quelda
