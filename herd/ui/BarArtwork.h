#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the record maintenance bar, drawn rather than shipped, each
// with its greyed form for a disabled button.
namespace barArtwork {

enum class Picture { Add, Save, Cancel, Delete, Exit };

// The picture in colour, size x size pixels.
QPixmap picture(Picture which, int size = 24);
// The same picture greyed, as a disabled button shows it.
QPixmap greyed(const QPixmap& pixmap);
// Both states in one icon: normal and disabled.
QIcon icon(Picture which, int size = 24);

} // namespace barArtwork
