// Writes the fuzz target's seeds, one small picture of every kind the header reading knows,
// into the folder given as the only argument.
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "ImageBytes.h"

using namespace lumetta::test;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    TiffWriter pages(true);
    pages.Directory({{254, 4, {1}}, {256, 3, {8}}, {257, 3, {6}}, {258, 3, {8}}, {277, 3, {1}}, {278, 4, {6}}})
        .Directory({{256, 4, {64}}, {257, 4, {48}}, {258, 3, {8, 8, 8}}, {277, 3, {3}}, {278, 4, {16}}});
    TiffWriter oriented(false);
    oriented.Directory({{256, 3, {8}}, {257, 3, {6}}, {258, 3, {8}}, {274, 3, {6}}, {277, 3, {1}}, {278, 4, {6}}});
    const std::vector<std::pair<std::string, std::string>> seeds{
        {"baseline.jpg", JpegHeaders(64, 48, 0xC0, 1)},
        {"progressive.jpg", JpegHeaders(64, 48, 0xC2, 6)},
        {"exif.jpg", WithSegment(JpegHeaders(64, 48, 0xC0, 1), ExifSegment(ExifTiff(false, 6)))},
        {"exif-mm.jpg", WithSegment(JpegHeaders(64, 48, 0xC2, 2), ExifSegment(ExifTiff(true, 8)))},
        {"rgb.png", Png(64, 48)},
        {"animated.gif", AnimatedGif(3, 4, 4)},
        {"placed.gif", Gif(16, 16, 2, 3, 8, 8)},
        {"info.bmp", BmpInfo(64, -48, 8, 256)},
        {"core.bmp", BmpCore(64, 48)},
        {"strips.tif", RgbTiff(false, 8, 6, 4)},
        {"tiles.tif", RgbTiff(true, 20, 18, 0, 16)},
        {"pages.tif", pages.Bytes()},
        {"oriented.tif", oriented.Bytes()},
        {"png.ico", Ico(0, 0, Png(256, 256))},
        {"dib.ico", Ico(16, 16, IconDib(16, 32))},
        {"bounds.emf", Emf(99, 49, 2540, 1270)},
        {"placeable.wmf", Wmf(1440, 720, 1440)},
    };
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
        out << bytes;
        if (!out) {
            std::cerr << "cannot write " << name << "\n";
            return 1;
        }
    }
    return 0;
}
