#pragma once
// Files and frames are bytes: text is shown as UTF-8 when it is valid UTF-8,
// else as the Japanese Windows code page, and written back the same way.
#include <QString>
#include <string>

bool IsValidUtf8(const std::string& bytes);
// Bytes of a file, a frame or a setting, for display.
QString DecodeText(const std::string& bytes);
// Text typed by the user, in the encoding `like` uses (UTF-8 when `like` is
// valid UTF-8, the Windows code page otherwise).
std::string EncodeText(const QString& text, const std::string& like = std::string());
