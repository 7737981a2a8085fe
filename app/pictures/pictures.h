#pragma once

#include "toolkit/geometry.h"
#include "toolkit/image.h"

// The program's pictures. They are drawn once, by the picture tool
// (tools/pictures, scripts/draw_pictures.sh), into the 32-bit bitmaps with
// alpha under app/pictures/bitmaps, which the program carries in itself on
// both front ends. Each call gives the same image, decoded on first use and
// kept until the program ends; safe from any thread. Every picture carries
// the same design drawn at twice its pixels (Image::Double()), from the
// bitmap of the same name with kDoublePictureSuffix, for scaled screens.
namespace app {

// What follows a picture's bitmap name in the name of its double-size one:
// "hide_folder@2x.bmp" beside "hide_folder.bmp".
inline constexpr char kDoublePictureSuffix[] = "@2x";

// The glossy title picture of skin 1: 553 x 27, a light-blue glass bar shaded
// from top to bottom, dark at both edges and bright in the middle rows.
const Image& GlossyTitlePicture();

// The navy title picture of skin 2: 527 x 26, flat navy (0, 0, 160) with a
// lighter top edge and a darker bottom edge.
const Image& NavyTitlePicture();

// Toolbar "Hide Folder": 32 x 32 on a transparent background, an open box
// with greyed contents.
const Image& HideFolderPicture();

// Toolbar "Comeback": 32 x 32, the same box as HideFolderPicture() with its
// contents in colour.
const Image& ComebackPicture();

// Toolbar "Options": 32 x 32, a wrench.
const Image& OptionsPicture();

// Toolbar "Find": 32 x 32, a folder with a magnifying glass.
const Image& FindPicture();

// Toolbar "Skin": 32 x 32, pencils and paints.
const Image& SkinPicture();

// Toolbar "Help": 32 x 32, an open book.
const Image& HelpPicture();

// The up button's picture: 25 x 16, a folder with an upward arrow.
const Image& UpFolderPicture();

// The picture in front of every row of the hidden-item list: 16 x 16, a red
// slanted bar.
const Image& HiddenRowPicture();

// The sizes of the beige strips down the menu panels' left edges, inside
// their one-pixel bevel: the File menu's and the Options menu's.
inline constexpr Size kFileMenuStrip{25, 132};
inline constexpr Size kOptionsMenuStrip{23, 91};

// The beige strip down a menu panel's left edge, lighter towards its left
// edge, at one of the sizes above; any other size gives an empty image.
const Image& MenuStripPicture(int width, int height);

// The program's icon for its windows and the task bar: 48 x 48, a folder
// with an eye. app/resources/quillomar.svg is the same design, scalable;
// app/pictures/bitmaps/quillomar.ico holds it at 16, 32 and 48 pixels for
// the Windows program's resources.
const Image& ApplicationIcon();

}  // namespace app
