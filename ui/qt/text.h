// Texts cross between the core's byte strings (the system's code page) and Qt only here.
#pragma once

#include <QString>
#include <string>

namespace tarnwick::ui {

inline QString ToQString(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace tarnwick::ui
