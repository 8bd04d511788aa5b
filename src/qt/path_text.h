#pragma once

#include <QString>
#include <string>

// A path between the toolkit and the core: the program keeps paths as UTF-8 bytes, the file layer
// turns them into what the system takes. The one conversion of a path in the window layer.
inline std::string pathBytes(const QString& path) {
    return path.toStdString();
}
inline QString pathText(const std::string& bytes) {
    return QString::fromStdString(bytes);
}
