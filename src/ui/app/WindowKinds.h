#pragma once
// The eight window kinds in the order they are registered: the type name
// ShowView knows them by, the View command that opens them, the menu they
// bring, and how their frame (with its view) is made.
#include <QString>
#include <array>

#include "config/Settings.h"

class CQueldaChildFrame;
class IViewContext;

struct WindowKindInfo {
    const char* typeName;
    quelda::WindowKind kind;
    int viewCommand;  // 32777-32784
    int menuId;       // 129, 104-110
    CQueldaChildFrame* (*create)(IViewContext& context);
};

constexpr int kMainMenuId = 128;

const std::array<WindowKindInfo, quelda::kWindowKinds>& WindowKinds();
// nullptr for an unknown name (exact comparison).
const WindowKindInfo* FindWindowKind(const QString& typeName);
const WindowKindInfo& WindowKindOf(quelda::WindowKind kind);
// The kind whose View command this is, or nullptr.
const WindowKindInfo* WindowKindOfCommand(int commandId);
