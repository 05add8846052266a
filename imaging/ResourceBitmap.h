#pragma once

#include <QImage>

class QString;

// A bitmap resource of a program (a .bmp file in its .qrc, such as the
// pictures of its bitmap buttons), read by the programs' own bitmap reader
// and painted at its natural size onto white. Null when it cannot be read or
// painted, or when a side is longer than 1024 pixels: nothing larger is a
// picture for a window.
QImage LoadResourceBitmap(const QString& path);
