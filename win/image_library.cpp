#include "win/image_library.h"
#include "files/picture_limits.h"
#include "files/picture_scale.h"
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <wincodec.h>

// One allocation: the header followed by top-down rows of 32-bit pixels, no padding.
struct Picture {
    int width;
    int height;
    BYTE* pixels;
};

int ProbePictureType(const wchar_t* path, int* detail)
{
    if (detail)
        *detail = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kPictureUnknown;
    // A short file leaves zeros behind, and no signature contains a zero byte.
    BYTE head[8] = {};
    DWORD got = 0;
    ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    static const BYTE png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (memcmp(head, png, 8) == 0)
        return kPicturePng;
    if (memcmp(head, "GIF87a", 6) == 0 || memcmp(head, "GIF89a", 6) == 0)
        return kPictureGif;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return kPictureJpeg;
    if (head[0] == 'B' && head[1] == 'M')
        return kPictureBmp;
    return kPictureUnknown;
}

// Created on first use and kept for the life of the process, as is the COM apartment it
// lives in. S_FALSE and RPC_E_CHANGED_MODE both leave COM usable on this thread.
static IWICImagingFactory* WicFactory()
{
    static IWICImagingFactory* factory = nullptr;
    static bool comStarted = false;
    if (!comStarted) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        comStarted = true;
    }
    if (!factory)
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, (void**)&factory);
    return factory;
}

// The first frame, provided the file's contents are of the expected container format
// whatever its name says.
static IWICBitmapFrameDecode* OpenFirstFrame(IWICImagingFactory* factory, const wchar_t* path,
                                             const GUID& container)
{
    IWICBitmapDecoder* decoder = nullptr;
    if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)))
        return nullptr;
    GUID format;
    IWICBitmapFrameDecode* frame = nullptr;
    if (SUCCEEDED(decoder->GetContainerFormat(&format)) && IsEqualGUID(format, container))
        decoder->GetFrame(0, &frame);
    decoder->Release();
    return frame;
}

// Premultiplied pixels lie on white once each colour gains what the alpha leaves uncovered.
static void ComposeOnWhite(BYTE* pixels, size_t count)
{
    for (BYTE* p = pixels; p != pixels + count * 4; p += 4) {
        BYTE uncovered = (BYTE)(255 - p[3]);
        p[0] = (BYTE)(p[0] + uncovered);
        p[1] = (BYTE)(p[1] + uncovered);
        p[2] = (BYTE)(p[2] + uncovered);
        p[3] = 255;
    }
}

static PictureHandle DecodeFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame)
{
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || !WithinPixelLimit(width, height))
        return nullptr;
    UINT stride = width * 4;
    UINT bytes = stride * height;
    Picture* picture = (Picture*)malloc(sizeof(Picture) + bytes);
    if (!picture)
        return nullptr;
    picture->width = (int)width;
    picture->height = (int)height;
    picture->pixels = (BYTE*)(picture + 1);
    IWICFormatConverter* converter = nullptr;
    bool decoded = SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->CopyPixels(nullptr, stride, bytes, picture->pixels));
    if (converter)
        converter->Release();
    if (!decoded) {
        free(picture);
        return nullptr;
    }
    ComposeOnWhite(picture->pixels, (size_t)width * height);
    return picture;
}

static PictureHandle LoadPicture(const wchar_t* path, const GUID& container)
{
    IWICImagingFactory* factory = WicFactory();
    if (!factory)
        return nullptr;
    IWICBitmapFrameDecode* frame = OpenFirstFrame(factory, path, container);
    if (!frame)
        return nullptr;
    PictureHandle picture = DecodeFrame(factory, frame);
    frame->Release();
    return picture;
}

PictureHandle LoadBmpPicture(const wchar_t* path)
{
    return LoadPicture(path, GUID_ContainerFormatBmp);
}

PictureHandle LoadJpegPicture(const wchar_t* path)
{
    return LoadPicture(path, GUID_ContainerFormatJpeg);
}

PictureHandle LoadPngPicture(const wchar_t* path)
{
    return LoadPicture(path, GUID_ContainerFormatPng);
}

PictureHandle LoadGifPicture(const wchar_t* path)
{
    return LoadPicture(path, GUID_ContainerFormatGif);
}

const DWORD* GetPicturePixels(PictureHandle picture)
{
    return picture ? (const DWORD*)picture->pixels : nullptr;
}

bool GetPictureHeader(PictureHandle picture, BITMAPINFOHEADER* header)
{
    if (!picture || !header)
        return false;
    memset(header, 0, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = picture->width;
    header->biHeight = picture->height;
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    return true;
}

// Copies a block of rows 1:1. The block starts at its first row and is exactly as tall
// as the copy, so the source y is 0 under either reading of it for a top-down bitmap.
static int BlitRows(HDC target, int x, int y, int width, int height, const BYTE* rows,
                    int rowPixels, int sourceX, DWORD rop)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = rowPixels;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return StretchDIBits(target, x, y, width, height, sourceX, 0, width, height, rows, &info,
                         DIB_RGB_COLORS, rop) > 0;
}

// A part of a scaling, for a thread of its own.
struct ScaleJob {
    const BYTE* source;
    int sourceStride, sourceWidth, sourceHeight;
    int width, height;
    PixelRect part;
    BYTE* target;
    bool scaled;
};

static DWORD WINAPI RunScaleJob(void* parameter)
{
    ScaleJob* job = (ScaleJob*)parameter;
    job->scaled = ScalePixels(job->source, job->sourceStride, job->sourceWidth, job->sourceHeight,
                              job->width, job->height, job->part, job->target, job->width);
    return 0;
}

// The lower half of the rows is scaled on a second thread while this one scales the upper
// half: a picture of many megapixels is scaled at every zoom step, and machines have
// cores to spare. Without the thread, this one scales both.
static bool ScaleInTwo(const BYTE* source, int sourceStride, int sourceWidth, int sourceHeight,
                       BYTE* target, int width, int height)
{
    const int half = height / 2;
    ScaleJob upper = {source,
                      sourceStride,
                      sourceWidth,
                      sourceHeight,
                      width,
                      height,
                      PixelRect{0, 0, width, half},
                      target,
                      false};
    ScaleJob lower = upper;
    lower.part = PixelRect{0, half, width, height};
    lower.target = target + (size_t)half * width * 4;
    HANDLE thread = CreateThread(nullptr, 0, RunScaleJob, &lower, 0, nullptr);
    RunScaleJob(&upper);
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    } else {
        RunScaleJob(&lower);
    }
    return upper.scaled && lower.scaled;
}

int DrawPicture(HDC target, int x, int y, int width, int height, PictureHandle picture, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop, int stretchMode)
{
    if (!picture || sourceX < 0 || sourceY < 0 || sourceWidth <= 0 || sourceHeight <= 0 ||
        sourceWidth > picture->width - sourceX || sourceHeight > picture->height - sourceY ||
        !WithinPixelLimit(width, height))
        return 0;
    SetStretchBltMode(target, stretchMode);
    const BYTE* rows = picture->pixels + (size_t)sourceY * picture->width * 4;
    if (width == sourceWidth && height == sourceHeight)
        return BlitRows(target, x, y, width, height, rows, picture->width, sourceX, rop);
    // Scaled here, not by StretchDIBits: GDI's HALFTONE averages on Windows but
    // point-samples under Wine.
    BYTE* scaled = (BYTE*)malloc((size_t)width * height * 4);
    int drawn = scaled &&
        ScaleInTwo(rows + (size_t)sourceX * 4, picture->width, sourceWidth, sourceHeight, scaled,
                   width, height) &&
        BlitRows(target, x, y, width, height, scaled, width, 0, rop);
    free(scaled);
    return drawn;
}

void ReleasePicture(PictureHandle picture)
{
    free(picture);
}
