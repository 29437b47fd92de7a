// The one dimension probe and the one JPEG writer of the system. A picture's kind comes from
// its file name's ending alone, never from its content. The galleries' own rules know four
// endings; callers that take every kind the readers know choose it with AnyPictureKind and
// pass it to the overloads that take a kind.
#pragma once

#include <optional>
#include <string>

#include "images/raster.h"

namespace fw {

class Host;

enum class PictureKind { None, Jpeg, Gif, Png, Bmp, Heif, Avif, Webp, Tiff };

// How pictures are scaled: Point copies one source pixel to each output pixel (exact and
// fast, but fine patterns alias); Smooth filters each output pixel from the source area it
// stands for. Both give the same output size.
enum class Sampler { Point, Smooth };
// The sampler of a gallery's "Smooth pictures" choice.
inline Sampler SamplerOf(bool smooth) { return smooth ? Sampler::Smooth : Sampler::Point; }

struct ImageSize {
  int width = 0;
  int height = 0;
};

// "jpg", "gif", "png" or "bmp" (already lower-cased) to its kind.
PictureKind KindByEnding(const std::string& ending);
// The probe's rule: the last three characters, ASCII letters lowered.
PictureKind ProbeKind(const std::string& path);
// The decoder's rule: the last four characters, lowered, must be ".jpg", ".gif", ".png", ".bmp".
PictureKind DecodeKind(const std::string& path);
// Every kind the readers know, by the name's extension (after its last dot), ASCII letters
// lowered: jpg, jpeg, jpe, jfif; gif; png; bmp; heic, heif; avif; webp; tif, tiff. For the
// names the galleries' masks find (*.jpg, *.gif, *.png, *.bmp) it is the kind their own rules
// give, so runs over such names may read every picture through it.
PictureKind AnyPictureKind(const std::string& path);
// The kind the picture runs, the page writers and the CLI's probe read a file as: every kind
// the readers know by its extension, else the probe's rule of the last three characters (so
// a thumbnail named "Thumb-a.wjpg" for the picture a.webp is measured as the JPEG it is).
PictureKind PictureKindOf(const std::string& path);
// `path` with the text after its last dot replaced by "jpg"; for a 3-letter extension that is
// the galleries' rule of the last three characters, which also serves a name without a dot.
std::string WithJpgExtension(const std::string& path);

// Width and height of the picture at `path`, told by its last three characters
// (jpg/gif/png/bmp, any case). For other kinds returns false at once and leaves width and height
// as they were. Reader errors are raised (fw::Error) and leave them as they were too.
// An empty JPEG file reports 0 x 0.
bool GetImageSize(const std::string& path, int& width, int& height);
// The same, 0 x 0 for other kinds.
ImageSize GetImageSize(const std::string& path);
// The displayed size of a picture of the given kind (0 x 0 for PictureKind::None).
ImageSize GetImageSize(const std::string& path, PictureKind kind);

// Decodes a picture fully (kind by its last four characters) into an RGB raster, shown as a
// browser shows it: turned by its EXIF orientation, its colours in sRGB (srgb.h).
Raster DecodePicture(const std::string& path);
// The same for a picture of the given kind, turned upright; raises fw::Error for None.
Raster DecodePicture(const std::string& path, PictureKind kind);

// Decodes, scales to `size` on the longest side and writes a JPEG (replacing the target in one
// step, so targetPath may equal sourcePath). Reader, scaler and encoder errors are raised and
// nothing is written. Returns false when the target could not be written, after telling the
// host "Could not create file <target>. Will continue with next file."; true when written or
// when the source kind is not one of the four (nothing is done then).
bool MakeScaledJpeg(Host& host, const std::string& sourcePath, const std::string& targetPath,
                    int size, int quality, bool progressive, Sampler sampler = Sampler::Point);
// The same for a source of the given kind (nothing is done for None).
bool MakeScaledJpeg(Host& host, const std::string& sourcePath, PictureKind kind,
                    const std::string& targetPath, int size, int quality, bool progressive,
                    Sampler sampler = Sampler::Point);

// MakeScaledJpeg in two steps, so that pictures can be scaled on worker threads while the
// front end's thread writes and reports in order. ScaledJpegData touches no host and writes
// nothing (safe on any thread); empty when the source kind is none of the four; errors as
// MakeScaledJpeg's. WriteScaledJpeg is its last step, with its message and result.
std::optional<std::string> ScaledJpegData(const std::string& sourcePath, int size, int quality,
                                          bool progressive, Sampler sampler = Sampler::Point);
std::optional<std::string> ScaledJpegData(const std::string& sourcePath, PictureKind kind, int size,
                                          int quality, bool progressive,
                                          Sampler sampler = Sampler::Point);
// The same letting `host`'s events run as the picture is scaled, for the front end's thread.
std::optional<std::string> ScaledJpegData(Host& host, const std::string& sourcePath,
                                          PictureKind kind, int size, int quality,
                                          bool progressive, Sampler sampler);
bool WriteScaledJpeg(Host& host, const std::string& targetPath, const std::string& jpeg);

// The longest side a picture must take to fit a maxWidth x maxHeight box with its aspect ratio
// kept; its own longest side when it already fits. GetImageSize's errors are raised.
int FitLongestSide(const std::string& path, int maxWidth, int maxHeight);
// The same for a picture of the given kind.
int FitLongestSide(const std::string& path, PictureKind kind, int maxWidth, int maxHeight);

}  // namespace fw
