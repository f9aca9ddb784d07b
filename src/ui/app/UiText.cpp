#include "app/UiText.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr const char* kCodePage = "windows-31j";

}  // namespace

bool IsValidUtf8(const std::string& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
    return !utf8.hasError();
}

QString DecodeText(const std::string& bytes) {
    const QByteArray raw(bytes.data(), qsizetype(bytes.size()));
    if (IsValidUtf8(bytes)) return QString::fromUtf8(raw);
    QStringDecoder codePage(kCodePage);
    if (!codePage.isValid()) return QString::fromLatin1(raw);
    return codePage(raw);
}

std::string EncodeText(const QString& text, const std::string& like) {
    if (IsValidUtf8(like)) return text.toStdString();
    QStringEncoder codePage(kCodePage);
    if (!codePage.isValid()) return text.toStdString();
    const QByteArray bytes = codePage(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}
