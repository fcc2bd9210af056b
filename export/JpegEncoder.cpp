// JPEG through libjpeg.
//
// libjpeg reports errors by calling error_exit, which must not return. Throwing a C++
// exception from it would unwind through libjpeg's C frames, which is not safe, so the codec
// calls live in CompressRgb: a C-style function whose locals are all trivial, with setjmp at
// its top and an error_exit that longjmps back to it. The jump therefore only skips C frames
// and never a C++ destructor. All state the jump must preserve lives in a JpegJob owned by the
// caller, and the compressed bytes sit in libjpeg's own malloc'd memory destination until the
// caller copies them into a vector and frees that memory.
#include "export/JpegEncoder.h"

#include "export/EncoderInput.h"
#include "platform/GlyphoraError.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <memory>
#include <string>

#include <jpeglib.h>

namespace glyphora {

namespace {

struct JpegJob {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errorManager;
    std::jmp_buf jumpBuffer;
    char message[JMSG_LENGTH_MAX];
    const std::uint8_t* rgb = nullptr; // packed rows, top-down
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    unsigned char* output = nullptr; // libjpeg's malloc'd result
    unsigned long outputSize = 0;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo)
{
    auto* job = static_cast<JpegJob*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, job->message);
    std::longjmp(job->jumpBuffer, 1);
}

extern "C" void JpegSilentMessage(j_common_ptr) {}

// Only trivial locals here: see the comment at the top of the file.
bool CompressRgb(JpegJob* job)
{
    job->cinfo.err = jpeg_std_error(&job->errorManager);
    job->errorManager.error_exit = JpegErrorExit;
    job->errorManager.output_message = JpegSilentMessage;
    job->cinfo.client_data = job;
    if (setjmp(job->jumpBuffer) != 0) {
        jpeg_destroy_compress(&job->cinfo);
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    jpeg_mem_dest(&job->cinfo, &job->output, &job->outputSize);
    job->cinfo.image_width = job->width;
    job->cinfo.image_height = job->height;
    job->cinfo.input_components = 3;
    job->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job->cinfo); // baseline sequential Huffman coding, YCbCr, JFIF
    jpeg_set_quality(&job->cinfo, kJpegQuality, TRUE);
    // Icons are small and sharp-edged: keep full colour resolution (no chroma subsampling).
    for (int c = 0; c < job->cinfo.num_components; ++c) {
        job->cinfo.comp_info[c].h_samp_factor = 1;
        job->cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&job->cinfo, TRUE);
    while (job->cinfo.next_scanline < job->cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(job->rgb + static_cast<std::size_t>(job->cinfo.next_scanline) * job->width * 3);
        jpeg_write_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_compress(&job->cinfo);
    jpeg_destroy_compress(&job->cinfo);
    return true;
}

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap)
{
    RequireEncodable(bitmap, "JPEG", JPEG_MAX_DIMENSION);
    const std::vector<std::uint8_t> rgb = PackRgb(bitmap);
    auto job = std::make_unique<JpegJob>();
    job->message[0] = '\0';
    job->rgb = rgb.data();
    job->width = static_cast<JDIMENSION>(bitmap.width);
    job->height = static_cast<JDIMENSION>(bitmap.height);
    const bool ok = CompressRgb(job.get());
    const std::unique_ptr<unsigned char, FreeDeleter> output(job->output);
    if (!ok) throw GlyphoraError(std::string("Cannot write the JPEG picture: ") + job->message);
    return std::vector<std::uint8_t>(output.get(), output.get() + job->outputSize);
}

} // namespace glyphora
