#pragma once

#include <QPixmap>

// The program's pictures, drawn rather than shipped: the splash emblem and the
// tile of the main window's background.
namespace artwork {
QPixmap emblem(int size);
QPixmap backgroundTile();
} // namespace artwork
