/* Decodes a PNG or JPEG file with libpng or libjpeg and prints "WIDTH HEIGHT"; with a second
   argument, also writes the decoded pixels there as raw RGB rows.
   Exits non-zero on any error or warning, so a picture that only half decodes fails. */
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <jpeglib.h>
#include <png.h>

static FILE *out;

static int check_png(FILE *f) {
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&image, f)) return 1;
    image.format = PNG_FORMAT_RGB;
    png_bytep buffer = malloc(PNG_IMAGE_SIZE(image));
    if (!buffer) return 1;
    int ok = png_image_finish_read(&image, NULL, buffer, 0, NULL);
    if (ok && out) fwrite(buffer, 1, PNG_IMAGE_SIZE(image), out);
    free(buffer);
    if (!ok || image.warning_or_error) return 1;
    printf("%u %u\n", image.width, image.height);
    return 0;
}

struct jpeg_guard { struct jpeg_error_mgr pub; jmp_buf jump; int warnings; };

static void on_error(j_common_ptr cinfo) { longjmp(((struct jpeg_guard *)cinfo->err)->jump, 1); }
static void on_message(j_common_ptr cinfo, int level) {
    if (level < 0) ((struct jpeg_guard *)cinfo->err)->warnings++;
}

static int check_jpeg(FILE *f) {
    struct jpeg_decompress_struct cinfo;
    struct jpeg_guard guard;
    JSAMPARRAY row;
    cinfo.err = jpeg_std_error(&guard.pub);
    guard.pub.error_exit = on_error;
    guard.pub.emit_message = on_message;
    guard.warnings = 0;
    if (setjmp(guard.jump)) { jpeg_destroy_decompress(&cinfo); return 1; }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    row = (*cinfo.mem->alloc_sarray)((j_common_ptr)&cinfo, JPOOL_IMAGE,
                                     cinfo.output_width * cinfo.output_components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        jpeg_read_scanlines(&cinfo, row, 1);
        if (out) fwrite(row[0], 1, cinfo.output_width * cinfo.output_components, out);
    }
    jpeg_finish_decompress(&cinfo);
    printf("%u %u\n", cinfo.output_width, cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return guard.warnings ? 1 : 0;
}

int main(int argc, char **argv) {
    unsigned char magic[2];
    FILE *f;
    int rc;
    if (argc < 2 || argc > 3 || !(f = fopen(argv[1], "rb"))) return 2;
    if (argc == 3 && !(out = fopen(argv[2], "wb"))) return 2;
    if (fread(magic, 1, 2, f) != 2) return 1;
    rewind(f);
    rc = (magic[0] == 0xFF && magic[1] == 0xD8) ? check_jpeg(f) : check_png(f);
    fclose(f);
    if (out) fclose(out);
    return rc;
}
