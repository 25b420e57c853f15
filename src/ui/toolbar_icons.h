// Pictures of the toolbar buttons, drawn by the program so they are sharp at any scale.
#pragma once

#include <QIcon>
#include <QString>

namespace zelkor::ui {

// The picture of the toolbar button with the given key ("New Game", "Compute", ...).
QIcon ToolbarIcon(const QString& key);

}  // namespace zelkor::ui
