// Pictures of the graphic output rendered off the screen, at a size that
// does not depend on the window (the Image Size of saved images and AVI
// frames, the bitmap of a printed page), and what is written from them: the
// image files and the frames of an AVI file.
#pragma once
#include "gelmar/graphics/core/Picture.h"
#include "platform/core/AviWriter.h"
#include "platform/ui/Gdi.h"

#include <string>

class CDC;

namespace common {
class FramePalette;
}

namespace gelmar {

struct RenderRequest {
    int width = 0;
    int height = 0;
    // Points of the picture's texts.
    int fontSize = 8;
    // The legend pane is laid out (the legend on and the profile off).
    bool legend = false;
    // The legend pane's colour under the legend.
    COLORREF legendFill = RGB(255, 255, 255);
};

enum class RenderResult {
    Drawn,
    // The bitmap could not be made (too large for a device bitmap or for
    // the memory); nothing was drawn.
    NoBitmap,
    // Esc ended the picture before it was complete.
    Stopped,
};

// Makes a bitmap of the requested size and draws the picture into it: the
// legend pane (the right 15 %) filled, then the picture with its legend and
// texts. The picture's section transform and value read-out follow the
// rendered size afterwards.
RenderResult RenderPicture(Picture& picture, const PictureSource& source, const RenderRequest& request,
                           const kernels::EscCheck& esc, CBitmap& bitmap);

// Prints the picture on the page of a printer DC: the page is the printable
// area rounded down to multiples of 16 pixels; the picture is rendered at
// the page size halved while a side exceeds 2000 pixels, with 12-point
// texts and a white legend pane, made an 8-bit DIB and stretched over the
// page. A printer of two colours gets the picture in the grey scale when
// one is given. NoBitmap when the bitmap or the DIB cannot be made.
RenderResult PrintPicture(CDC* pDC, Picture& picture, const PictureSource& source, bool legend,
                          const ColourScale* greyScale, const kernels::EscCheck& esc);

// The texts of a picture, black on a transparent background, in the DC at
// the given point size.
void DrawPictureTexts(CDC* pDC, const std::vector<kernels::PictureText>& texts, int fontSize);

// Writes a rendered bitmap: an RLE8 BMP of at most 256 colours when the path
// ends in "bmp" (any case), otherwise by its extension (PNG ...). False when
// the file could not be written.
bool WriteImageFile(const std::string& path, const CBitmap& bitmap);

// Adds a rendered bitmap (of the stream's size) to the AVI file: its colours
// join the file's one colour table, its pixels become indexes into it.
platform::AviWriter::FrameResult WriteAviFrame(platform::AviWriter& avi, common::FramePalette& palette,
                                               const CBitmap& bitmap);

} // namespace gelmar
