// Draws Ostrel's pictures and writes them into desktop/res/: the 16 x 16 command images as one
// strip (commands.bmp), the information sign (info.bmp), both with magenta as the transparent
// colour, and the program icon at 16 and 32 pixels (ostrel.ico). Run natively after a change:
//   g++ -std=c++20 -O2 -o /tmp/draw_images tools/draw_images/draw_images.cpp && /tmp/draw_images desktop/res
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb Key{255, 0, 255};  // transparent
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Grey{128, 128, 128};
constexpr Rgb Silver{192, 192, 192};
constexpr Rgb Navy{0, 0, 128};
constexpr Rgb Blue{0, 90, 200};
constexpr Rgb Sky{160, 200, 255};
constexpr Rgb Green{0, 140, 60};
constexpr Rgb Red{200, 30, 30};
constexpr Rgb Yellow{250, 220, 80};
constexpr Rgb Brown{150, 90, 40};

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(width * height, Key) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[y * width_ + x]; }

    void Set(int x, int y, Rgb colour)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[y * width_ + x] = colour;
    }
    void Fill(int x0, int y0, int x1, int y1, Rgb colour)  // inclusive corners
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                Set(x, y, colour);
    }
    void Frame(int x0, int y0, int x1, int y1, Rgb colour)
    {
        Line(x0, y0, x1, y0, colour);
        Line(x0, y1, x1, y1, colour);
        Line(x0, y0, x0, y1, colour);
        Line(x1, y0, x1, y1, colour);
    }
    // A window: a title bar over a white body, framed.
    void Window(int x0, int y0, int x1, int y1)
    {
        Fill(x0, y0, x1, y1, White);
        Fill(x0, y0, x1, y0 + 1, Navy);
        Frame(x0, y0, x1, y1, Black);
    }
    void Line(int x0, int y0, int x1, int y1, Rgb colour)
    {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0 : static_cast<double>(i) / steps;
            Set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)), static_cast<int>(std::lround(y0 + (y1 - y0) * t)),
                colour);
        }
    }
    void Disc(double cx, double cy, double radius, Rgb colour)
    {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                    Set(x, y, colour);
    }
    void Ring(double cx, double cy, double radius, double thickness, Rgb colour,
              const std::function<bool(double angle)>& keep = {})
    {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                const double angle = std::atan2(cy - (y + 0.5), x + 0.5 - cx) * 180 / M_PI;
                if (d <= radius && d > radius - thickness && (!keep || keep(angle)))
                    Set(x, y, colour);
            }
    }
    void Paste(const Canvas& image, int left, int top)
    {
        for (int y = 0; y < image.height_; ++y)
            for (int x = 0; x < image.width_; ++x)
                if (!(image.At(x, y) == Key))
                    Set(left + x, top + y, image.At(x, y));
    }

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

Canvas Cascade()
{
    Canvas c(16, 16);
    c.Window(0, 0, 9, 8);
    c.Window(3, 3, 12, 11);
    c.Window(6, 6, 15, 15);
    return c;
}

Canvas TileHorizontally()
{
    Canvas c(16, 16);
    c.Window(0, 0, 15, 7);
    c.Window(0, 8, 15, 15);
    return c;
}

Canvas TileVertically()
{
    Canvas c(16, 16);
    c.Window(0, 0, 7, 15);
    c.Window(8, 0, 15, 15);
    return c;
}

Canvas Exit()
{
    Canvas c(16, 16);
    c.Fill(1, 1, 8, 14, Brown);  // an open door
    c.Frame(1, 1, 8, 14, Black);
    c.Set(6, 8, Yellow);
    c.Fill(9, 7, 13, 8, Green);  // and an arrow leaving through it
    c.Line(11, 4, 15, 7, Green);
    c.Line(11, 11, 15, 8, Green);
    c.Line(11, 5, 14, 7, Green);
    c.Line(11, 10, 14, 8, Green);
    return c;
}

Canvas Printer(int size)
{
    Canvas c(size, size);
    const double s = size / 16.0;
    const auto at = [s](double v) { return static_cast<int>(std::lround(v * s)); };
    c.Fill(at(4), at(1), at(11), at(6), White);  // paper going in
    c.Frame(at(4), at(1), at(11), at(6), Black);
    c.Fill(at(0), at(6), at(15), at(12), Silver);  // the body
    c.Frame(at(0), at(6), at(15), at(12), Black);
    c.Fill(at(12), at(8), at(13), at(8) + std::max(0, at(1) - 1), Green);  // the power lamp
    c.Fill(at(3), at(11), at(12), at(15), White);  // the printed sheet
    c.Frame(at(3), at(11), at(12), at(15), Black);
    c.Line(at(5), at(13), at(10), at(13), Grey);
    return c;
}

Canvas SaveAs()
{
    Canvas c(16, 16);
    c.Fill(1, 1, 14, 14, Blue);  // a diskette
    c.Frame(1, 1, 14, 14, Black);
    c.Fill(4, 1, 11, 6, White);  // its label
    c.Frame(4, 1, 11, 6, Black);
    c.Fill(4, 9, 11, 14, Silver);  // its shutter
    c.Fill(8, 10, 9, 13, Black);
    return c;
}

Canvas Refresh()
{
    Canvas c(16, 16);
    // Two arcs chasing each other round, each with an arrow head.
    c.Ring(8, 8, 7, 2, Green, [](double a) { return a > 20 && a < 160; });
    c.Ring(8, 8, 7, 2, Green, [](double a) { return a < -20 && a > -160; });
    c.Fill(0, 5, 4, 6, Green);
    c.Line(2, 3, 2, 8, Green);
    c.Fill(11, 9, 15, 10, Green);
    c.Line(13, 7, 13, 12, Green);
    return c;
}

Canvas Copy()
{
    Canvas c(16, 16);
    for (int offset : {0, 5}) {
        c.Fill(offset, offset, offset + 9, offset + 10, White);
        c.Frame(offset, offset, offset + 9, offset + 10, Black);
        for (int line = offset + 3; line <= offset + 8; line += 2)
            c.Line(offset + 2, line, offset + 7, line, Grey);
    }
    return c;
}

Canvas Find(bool next)
{
    Canvas c(16, 16);
    c.Disc(6, 6, 5.5, Sky);  // the lens
    c.Ring(6, 6, 5.5, 1.5, Black);
    c.Line(9, 10, 14, 15, Brown);  // the handle
    c.Line(10, 10, 15, 15, Brown);
    c.Line(9, 11, 14, 16, Brown);
    if (next) {
        c.Line(12, 1, 15, 4, Red);  // and an arrow onwards
        c.Line(12, 7, 15, 4, Red);
        c.Line(9, 4, 15, 4, Red);
    }
    return c;
}

// A sheet listing three findings, each after a bullet of its severity's colour.
Canvas Findings()
{
    Canvas c(16, 16);
    c.Fill(1, 0, 14, 15, White);
    c.Frame(1, 0, 14, 15, Black);
    const Rgb bullets[] = {Red, Yellow, Blue};
    for (int row = 0; row < 3; ++row) {
        const int top = 1 + row * 5;
        c.Fill(3, top, 6, top + 3, bullets[row]);
        c.Frame(3, top, 6, top + 3, Black);
        c.Fill(8, top + 1, 12, top + 2, Grey);
    }
    return c;
}

Canvas Compare()
{
    Canvas c(16, 16);
    // Two pages side by side, the same lines on both but one, which differs.
    for (int left : {0, 9}) {
        c.Fill(left, 1, left + 6, 14, White);
        c.Frame(left, 1, left + 6, 14, Black);
        for (int line = 4; line <= 11; line += 2)
            c.Line(left + 2, line, left + 4, line, line == 8 ? Red : Grey);
    }
    c.Set(7, 7, Blue);  // and an equals sign between them, which the red line belies
    c.Set(8, 7, Blue);
    c.Set(7, 9, Blue);
    c.Set(8, 9, Blue);
    return c;
}

Canvas Information(int size)
{
    Canvas c(size, size);
    const double s = size / 16.0;
    c.Disc(size / 2.0, size / 2.0, size / 2.0, Blue);
    c.Fill(static_cast<int>(7 * s), static_cast<int>(3 * s), static_cast<int>(8.9 * s), static_cast<int>(4.9 * s),
           White);  // the dot
    c.Fill(static_cast<int>(7 * s), static_cast<int>(6.5 * s), static_cast<int>(8.9 * s), static_cast<int>(12 * s),
           White);  // the stem
    return c;
}

Canvas ProgramIcon(int size)
{
    Canvas c = Printer(size);
    Canvas lens(size, size);
    const double s = size / 16.0;
    lens.Disc(11 * s, 5 * s, 4 * s, Sky);
    lens.Ring(11 * s, 5 * s, 4 * s, std::max(1.0, 1.2 * s), Navy);
    c.Paste(lens, 0, 0);
    return c;
}

void Put16(std::ofstream& out, std::uint16_t v) { out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8)); }
void Put32(std::ofstream& out, std::uint32_t v)
{
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutInfoHeader(std::ofstream& out, int width, int height, int bits, std::uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

// A 24-bit bottom-up BMP.
void WriteBmp(const std::string& path, const Canvas& c)
{
    const int rowBytes = (c.Width() * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * c.Height());
    std::ofstream out(path, std::ios::binary);
    out.put('B').put('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, c.Width(), c.Height(), 24, imageSize);
    for (int y = c.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.Width(); ++x) {
            const Rgb p = c.At(x, y);
            out.put(static_cast<char>(p.b)).put(static_cast<char>(p.g)).put(static_cast<char>(p.r));
        }
        for (int pad = c.Width() * 3; pad < rowBytes; ++pad)
            out.put('\0');
    }
}

// An icon file with one 32-bit image per canvas (alpha from the key colour) and its AND mask.
void WriteIco(const std::string& path, const std::vector<Canvas>& images)
{
    std::vector<std::vector<char>> blobs;
    for (const Canvas& c : images) {
        std::vector<char> blob;
        const auto put32 = [&blob](std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                blob.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        };
        const int maskRow = (c.Width() + 31) / 32 * 4;
        const std::uint32_t imageSize = static_cast<std::uint32_t>(c.Width() * c.Height() * 4 + maskRow * c.Height());
        put32(40);
        put32(static_cast<std::uint32_t>(c.Width()));
        put32(static_cast<std::uint32_t>(c.Height() * 2));
        put32(1 | (32u << 16));
        put32(0);
        put32(imageSize);
        put32(0);
        put32(0);
        put32(0);
        put32(0);
        for (int y = c.Height() - 1; y >= 0; --y)
            for (int x = 0; x < c.Width(); ++x) {
                const Rgb p = c.At(x, y);
                const bool clear = p == Key;
                blob.push_back(static_cast<char>(clear ? 0 : p.b));
                blob.push_back(static_cast<char>(clear ? 0 : p.g));
                blob.push_back(static_cast<char>(clear ? 0 : p.r));
                blob.push_back(static_cast<char>(clear ? 0 : 255));
            }
        for (int y = c.Height() - 1; y >= 0; --y) {
            std::vector<unsigned char> row(static_cast<std::size_t>(maskRow), 0);
            for (int x = 0; x < c.Width(); ++x)
                if (c.At(x, y) == Key)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
            blob.insert(blob.end(), row.begin(), row.end());
        }
        blobs.push_back(std::move(blob));
    }
    std::ofstream out(path, std::ios::binary);
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.put(static_cast<char>(images[i].Width() & 0xFF)).put(static_cast<char>(images[i].Height() & 0xFF));
        out.put('\0').put('\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(blobs[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(blobs[i].size());
    }
    for (const std::vector<char>& blob : blobs)
        out.write(blob.data(), static_cast<std::streamsize>(blob.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_images OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    // In the order of the command image indexes.
    const Canvas commands[] = {Cascade(), TileHorizontally(), TileVertically(), Exit(),     Printer(16), SaveAs(),
                               Refresh(), Copy(),             Find(false),      Find(true), Findings(),
                               Compare()};
    constexpr int count = static_cast<int>(std::size(commands));
    Canvas strip(16 * count, 16);
    for (int i = 0; i < count; ++i)
        strip.Paste(commands[i], 16 * i, 0);
    WriteBmp(folder + "/commands.bmp", strip);
    WriteBmp(folder + "/info.bmp", Information(16));
    WriteIco(folder + "/ostrel.ico", {ProgramIcon(16), ProgramIcon(32)});
    return 0;
}
