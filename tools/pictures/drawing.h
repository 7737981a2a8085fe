#pragma once

#include <QImage>

// The drawing of the program's pictures, the one place where they are drawn.
// The picture tool renders them into the bitmaps under app/pictures/bitmaps,
// which the program carries on both front ends (app/pictures/pictures.h
// describes each). Each call draws its picture afresh on a QImage in 32-bit
// ARGB; no application object is needed.
namespace drawing {

QImage GlossyTitlePicture();   // 553 x 27
QImage NavyTitlePicture();     // 527 x 26
QImage HideFolderPicture();    // 32 x 32
QImage ComebackPicture();      // 32 x 32
QImage OptionsPicture();       // 32 x 32
QImage FindPicture();          // 32 x 32
QImage SkinPicture();          // 32 x 32
QImage HelpPicture();          // 32 x 32
QImage UpFolderPicture();      // 25 x 16
QImage HiddenRowPicture();     // 16 x 16
// `width` x `height`; a null image for a size that is not positive.
QImage MenuStripPicture(int width, int height);
// The program's icon, designed at 48 x 48, drawn to scale at `size` x `size`
// (the smaller sizes of the Windows icon file); a null image for a size that
// is not positive.
QImage ApplicationIcon(int size);

}  // namespace drawing
