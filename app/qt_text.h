#pragma once

#include <QString>
#include <string>

// The program's UTF-8 text to Qt's and back.
namespace kalvex::app {

inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string s(const QString& text) {
    return text.toStdString();
}

}  // namespace kalvex::app
