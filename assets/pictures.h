// The pictures, icon and texts compiled into the program as resources.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace kaldora {

enum class Picture { Background, Title, IdleMarker, LitMarker, Logo };

// Takes the double-resolution rendition on a screen scaled by 2 or more.
QPixmap LoadPicture(Picture picture);
// The same as an image, to be decoded on any thread: the screen's pixel
// ratio is read on the window's thread and handed in.
QImage ReadPicture(Picture picture, qreal screenRatio);
QPixmap LoadTypePicture(int type);
QIcon ProgramIcon();

// Text of information memo 1, 2 or 3.
QString LoadMemoText(int memo);

}  // namespace kaldora
