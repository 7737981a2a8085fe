#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

// Drawing helpers shared by the program's pictures.
namespace drawing::picture_painting {

// A fully transparent picture of the given size in design pixels, drawn at
// `scale` device pixels to a design pixel, ready to paint on in design
// pixels.
QImage TransparentCanvas(int width, int height, int scale);

// An opaque picture of the given size in design pixels (its pixels not yet
// set), drawn at `scale` device pixels to a design pixel.
QImage OpaqueCanvas(int width, int height, int scale);

// Turns on antialiasing for shapes and smooth scaling for images.
void Smooth(QPainter& painter);

// The colours of a folder: the back with its tab, the front flap, and the
// outline of both.
struct FolderColours {
  QColor back;
  QColor front_light;  // the front flap's upper edge
  QColor front_dark;   // the front flap's lower edge
  QColor outline;
};

// The yellow folder of the program's pictures.
FolderColours YellowFolder();

// Draws a closed folder filling `area`: a back with a tab on its upper left
// and a front flap covering the lower part of the back.
void DrawFolder(QPainter& painter, const QRectF& area, const FolderColours& colours);

}  // namespace drawing::picture_painting
