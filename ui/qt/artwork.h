// The program's pictures, drawn from SVG so that they stay sharp at any scale.
#pragma once

#include <QIcon>
#include <QString>
#include <memory>

class QSvgRenderer;

namespace tarnwick::ui {

// A picture of the main window's resources by its file name ("get_data.svg").
std::unique_ptr<QSvgRenderer> LoadPicture(const QString& name);

// The program's icon at the sizes desktops ask for.
QIcon ProgramIcon();

}  // namespace tarnwick::ui
