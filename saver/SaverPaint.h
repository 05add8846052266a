#pragma once

#include <QSize>

class CDC;
class MessageReporter;
class Picture;

// The saver paints each cartoon at its own size, centred on the screen
// (halves truncate toward zero). A picture without a bitmap paints nothing
// and says nothing. Without a main window "Unable to get handle" goes out as
// a plain message and painting goes on. Returns the number of scan lines
// painted, 0 on failure.
int PaintSaverBitmap(CDC& dc, Picture& picture, QSize screen, bool hasMainWindow,
                     MessageReporter& reporter);
