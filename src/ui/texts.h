#pragma once
// Conversions between the model's UTF-8 std::string and Qt's QString.

#include <QString>
#include <string>
#include <string_view>

namespace ui {

inline QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string S(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace ui
