#pragma once

#include <QImage>

// The drawing of the program's pictures, the one place where they are drawn.
// The picture tool renders them into the bitmaps under app/pictures/bitmaps,
// which the program carries on both front ends (app/pictures/pictures.h
// describes each). Each call draws its picture afresh on a QImage in 32-bit
// ARGB; no application object is needed.
//
// `scale` is the device pixels to a design pixel (1, or 2 for screens scaled
// up): the same design drawn as vectors at `scale` times the sizes below,
// the QImage's device pixel ratio set to `scale`.
namespace drawing {

QImage GlossyTitlePicture(int scale);   // 553 x 27
QImage NavyTitlePicture(int scale);     // 527 x 26
QImage HideFolderPicture(int scale);    // 32 x 32
QImage ComebackPicture(int scale);      // 32 x 32
QImage OptionsPicture(int scale);       // 32 x 32
QImage FindPicture(int scale);          // 32 x 32
QImage SkinPicture(int scale);          // 32 x 32
QImage HelpPicture(int scale);          // 32 x 32
QImage UpFolderPicture(int scale);      // 25 x 16
QImage HiddenRowPicture(int scale);     // 16 x 16
// `width` x `height`; a null image for a size that is not positive.
QImage MenuStripPicture(int width, int height, int scale);
// The program's icon, designed at 48 x 48, drawn to scale at `size` x `size`
// (the smaller sizes of the Windows icon file); a null image for a size that
// is not positive.
QImage ApplicationIcon(int size);

}  // namespace drawing
