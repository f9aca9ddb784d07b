#pragma once
// The eight kinds of child window. Routing hands frames to views by kind,
// the settings keep one section per kind, the views say which kind they are.
namespace quelda {

enum class WindowKind {
    Term = 0,
    Monitor1,
    Monitor2,
    Monitor3,
    Monitor4,
    Status,
    Eeprom,
    Simulator
};
constexpr int kWindowKinds = 8;

}  // namespace quelda
