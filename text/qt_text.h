// The widget edge: Qt holds UTF-16, the program holds GBK bytes.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kesvane {

QString to_qstring(std::string_view gbk);
std::string to_local(const QString& text);

} // namespace kesvane
