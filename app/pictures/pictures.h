#pragma once

#include "app/toolkit/image.h"

// The program's pictures, drawn in code. Each call draws its picture afresh
// at its natural size; the caller keeps it as long as it needs it.
namespace app {

// The glossy title picture of skin 1: 553 x 27, a light-blue glass bar shaded
// from top to bottom, dark at both edges and bright in the middle rows.
Image GlossyTitlePicture();

// The navy title picture of skin 2: 527 x 26, flat navy (0, 0, 160) with a
// lighter top edge and a darker bottom edge.
Image NavyTitlePicture();

// Toolbar "Hide Folder": 32 x 32 on a transparent background, an open box
// with greyed contents.
Image HideFolderPicture();

// Toolbar "Comeback": 32 x 32, the same box as HideFolderPicture() with its
// contents in colour.
Image ComebackPicture();

// Toolbar "Options": 32 x 32, a wrench.
Image OptionsPicture();

// Toolbar "Find": 32 x 32, a folder with a magnifying glass.
Image FindPicture();

// Toolbar "Skin": 32 x 32, pencils and paints.
Image SkinPicture();

// Toolbar "Help": 32 x 32, an open book.
Image HelpPicture();

// The up button's picture: 25 x 16, a folder with an upward arrow.
Image UpFolderPicture();

// The picture in front of every row of the hidden-item list: 16 x 16, a red
// slanted bar.
Image HiddenRowPicture();

// The beige strip down a menu panel's left edge, `width` x `height`. A size
// that is not positive gives an empty picture.
Image MenuStripPicture(int width, int height);

// The program's icon for its windows and the task bar: 48 x 48, a folder
// with an eye. app/resources/quillomar.svg is the same design, scalable.
Image ApplicationIcon();

}  // namespace app
