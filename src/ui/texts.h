#pragma once
// Conversions between the model's UTF-8 std::string and Qt's QString, and from
// a path the operator chose to the file code's path.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace ui {

inline QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string S(const QString& text) {
    return text.toUtf8().toStdString();
}

// Through UTF-16, so a folder name outside the system's code page (Windows)
// reaches the file functions unchanged.
inline std::filesystem::path Pfad(const QString& pfad) {
    return std::filesystem::path(pfad.toStdU16String());
}

}  // namespace ui
