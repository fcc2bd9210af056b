// Size queries over the picture kinds of the PDF writer.
#include "pdf/PdfImageSource.h"

namespace glyphora {

namespace {

struct SizeOf {
    bool wantWidth;
    int operator()(const PdfBitmapImage& b) const { return wantWidth ? b.bitmap.width : b.bitmap.height; }
    int operator()(const PdfIndexedImage& i) const { return wantWidth ? i.width : i.height; }
    int operator()(const PdfJpegImage& j) const { return wantWidth ? j.width : j.height; }
};

} // namespace

int PdfImageWidth(const PdfImageSource& image)
{
    return std::visit(SizeOf{true}, image);
}
int PdfImageHeight(const PdfImageSource& image)
{
    return std::visit(SizeOf{false}, image);
}

} // namespace glyphora
