#include "JpegFileImage.h"

#include "DibFunctions.h"
#include "ImageNotify.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "JpegErrorTrap.h"

namespace {

enum DecodeResult { DECODE_OK, DECODE_FAILED, DECODE_NO_MEMORY };

struct DecodeOutput
{
    BITMAPINFOHEADER* info;
    BYTE* bits;
};

// Only plain data lives in this frame, so that the longjmp skips no destructor.
DecodeResult DecodeJpeg(FILE* fp, DecodeOutput* out)
{
    jpeg_decompress_struct cinfo;
    // A file that ends early would be padded with grey: the trap treats it as the error it is.
    pictal::JpegErrorTrap trap;
    cinfo.err = pictal::JpegErrorTrapInit(&trap, true);
    if (setjmp(trap.jump)) {
        const bool noMemory = trap.mgr.msg_code == JERR_OUT_OF_MEMORY;
        jpeg_destroy_decompress(&cinfo);
        free(out->bits);
        free(out->info);
        out->bits = NULL;
        out->info = NULL;
        return noMemory ? DECODE_NO_MEMORY : DECODE_FAILED;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);

    // Grey and colour come out as blue, green, red, which is DIB order; CMYK is refused.
    if (cinfo.jpeg_color_space != JCS_GRAYSCALE && cinfo.jpeg_color_space != JCS_YCbCr
        && cinfo.jpeg_color_space != JCS_RGB) {
        jpeg_destroy_decompress(&cinfo);
        return DECODE_FAILED;
    }
    cinfo.out_color_space = JCS_EXT_BGR;

    // Size the picture before the library allocates anything for it.
    if (!DibSideAllowed(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        return DECODE_FAILED;
    }
    const DWORD bytes = DibBytes24(static_cast<LONG>(cinfo.image_width), static_cast<LONG>(cinfo.image_height));
    if (bytes == 0 || cinfo.image_width > 0x7FFFFFFF || cinfo.image_height > 0x7FFFFFFF) {
        jpeg_destroy_decompress(&cinfo);
        return DECODE_NO_MEMORY;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 || cinfo.output_width != cinfo.image_width
        || cinfo.output_height != cinfo.image_height) {
        jpeg_destroy_decompress(&cinfo);
        return DECODE_FAILED;
    }

    const JDIMENSION width = cinfo.output_width, height = cinfo.output_height;
    JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, width * 3, 1);
    const DWORD stride = DibStride24(static_cast<LONG>(width));
    out->bits = static_cast<BYTE*>(malloc(bytes));
    out->info = static_cast<BITMAPINFOHEADER*>(calloc(1, sizeof(BITMAPINFOHEADER)));
    if (out->bits == NULL || out->info == NULL) {
        jpeg_destroy_decompress(&cinfo);
        free(out->bits);
        free(out->info);
        out->bits = NULL;
        out->info = NULL;
        return DECODE_NO_MEMORY;
    }
    while (cinfo.output_scanline < height) {
        if (jpeg_read_scanlines(&cinfo, buffer, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            free(out->bits);
            free(out->info);
            out->bits = NULL;
            out->info = NULL;
            return DECODE_FAILED;
        }
        // The first line read is the top of the picture, the last stored row.
        BYTE* row = out->bits + static_cast<size_t>(stride) * (height - cinfo.output_scanline);
        memcpy(row, buffer[0], static_cast<size_t>(width) * 3);
        memset(row + static_cast<size_t>(width) * 3, 0, stride - static_cast<size_t>(width) * 3);
    }
    out->info->biSize = sizeof(BITMAPINFOHEADER);
    out->info->biWidth = static_cast<LONG>(width);
    out->info->biHeight = static_cast<LONG>(height);
    out->info->biPlanes = 1;
    out->info->biBitCount = 24;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return DECODE_OK;
}

} // namespace

BOOL CJpegFileImage::Load(const char* path, int flag, CTextureInfo*)
{
    FILE* fp = fopen(path, "rb");
    if (fp == NULL)
        return FALSE;
    DecodeOutput out = {NULL, NULL};
    const DecodeResult result = DecodeJpeg(fp, &out);
    fclose(fp);
    if (result != DECODE_OK) {
        // Flag 1 is the file dialog's preview: it fails silently.
        if (result == DECODE_NO_MEMORY && flag == 0)
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return FALSE;
    }
    FreeLayer0();
    SetLayer(out.info, out.bits, 0);
    return TRUE;
}
