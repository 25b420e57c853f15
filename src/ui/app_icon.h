// The application icon: a corner of a Halma board where a White man jumps towards Black's
// camp. Every size is drawn afresh rather than scaled, so small icons keep clean edges.
// The build draws the installed icon files with it; the window uses it directly.
#pragma once

#include <QIcon>
#include <QImage>

namespace zelkor::ui {

QImage DrawAppIcon(int size);
QIcon AppIcon();  // every size the desktop asks for

}  // namespace zelkor::ui
