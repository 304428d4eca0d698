// Draws the program's icon, a clock face showing 10:08:37, and writes it as a Windows .ico file
// holding 32-bit images of 16, 32 and 48 pixels. Runs on the build machine:
//   make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Colour {
  double r, g, b;
};

struct Image {
  int size;
  std::vector<uint8_t> bgra;  // rows from the top, straight (not premultiplied) alpha
};

constexpr double kPi = 3.14159265358979323846;
constexpr int kSamplesPerAxis = 16;

const Colour kBezelTop{0x3c, 0x86, 0xe0};
const Colour kBezelBottom{0x17, 0x47, 0x8f};
const Colour kFaceCentre{0xff, 0xff, 0xff};
const Colour kFaceEdge{0xdc, 0xe4, 0xee};
const Colour kFaceShade{0xb4, 0xc2, 0xd4};
const Colour kTick{0x33, 0x3d, 0x4a};
const Colour kHand{0x1b, 0x23, 0x2e};
const Colour kSecondHand{0xe0, 0x3a, 0x2c};

// The drawing of one size, in a unit square: centre (0, 0), outer radius 1, y pointing down.
struct Design {
  double faceRadius;
  double tickWidth, majorTickWidth;
  int tickCount;
  double hourWidth, minuteWidth, secondWidth;
  bool secondHand;
  double capRadius;
};

// Distance from point (px, py) to the segment (ax, ay)-(bx, by).
double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

// True when (x, y) lies on a hand of the given half-width, pointing at angle (0 = twelve o'clock,
// clockwise), from `back` behind the centre to `length` in front of it.
bool onHand(double x, double y, double angle, double back, double length, double halfWidth) {
  double sx = std::sin(angle), sy = -std::cos(angle);
  return segmentDistance(x, y, -back * sx, -back * sy, length * sx, length * sy) <= halfWidth;
}

// The colour a fraction t of the way from a to b.
Colour mix(const Colour &a, const Colour &b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour of the topmost shape at (x, y); false when no shape covers the point.
bool shade(const Design &d, double x, double y, Colour &out) {
  double r = std::sqrt(x * x + y * y);
  if (r > 1) return false;
  const double hour = (10 + 8 / 60.0) / 12 * 2 * kPi;
  const double minute = (8 + 37 / 60.0) / 60 * 2 * kPi;
  const double second = 37 / 60.0 * 2 * kPi;
  if (r <= d.capRadius) {
    out = d.secondHand ? kSecondHand : kHand;
    return true;
  }
  if (d.secondHand && onHand(x, y, second, 0.22, 0.80, d.secondWidth / 2)) {
    out = kSecondHand;
    return true;
  }
  if (onHand(x, y, minute, 0.10, 0.74, d.minuteWidth / 2) ||
      onHand(x, y, hour, 0.10, 0.50, d.hourWidth / 2)) {
    out = kHand;
    return true;
  }
  if (r <= d.faceRadius) {
    for (int i = 0; i < d.tickCount; ++i) {
      bool major = i % (d.tickCount / 4) == 0;
      double a = 2 * kPi * i / d.tickCount;
      double inner = d.faceRadius - (major ? 0.20 : 0.13);
      double outer = d.faceRadius - 0.05;
      double sx = std::sin(a), sy = -std::cos(a);
      double w = (major ? d.majorTickWidth : d.tickWidth) / 2;
      if (segmentDistance(x, y, inner * sx, inner * sy, outer * sx, outer * sy) <= w) {
        out = kTick;
        return true;
      }
    }
    // Lit from the top left: the face darkens towards its rim, more so at the top where the
    // bezel casts its shadow.
    Colour face = mix(kFaceCentre, kFaceEdge, std::pow(r / d.faceRadius, 3));
    double rim = (r - d.faceRadius * 0.80) / (d.faceRadius * 0.20);
    if (rim > 0 && y < 0) face = mix(face, kFaceShade, rim * rim * (-y / r) * 0.6);
    out = face;
    return true;
  }
  Colour bezel = mix(kBezelTop, kBezelBottom, (y + 1) / 2);
  // A thin highlight along the outer edge of the bezel's upper half.
  if (r > 1 - 0.06 && y < 0) bezel = mix(bezel, Colour{0xff, 0xff, 0xff}, 0.35 * (-y));
  out = bezel;
  return true;
}

// The design for an icon of `size` pixels: line widths never drop below what still shows.
Design designFor(int size) {
  double px = 2.0 / size;  // one pixel in unit lengths
  Design d;
  d.faceRadius = 1 - std::fmax(1.6, size * 0.085) * px;
  d.tickCount = size >= 32 ? 12 : 4;
  d.tickWidth = std::fmax(1.0, size * 0.03) * px;
  d.majorTickWidth = std::round(std::fmax(2.0, size * 0.05)) * px;  // whole pixels stay sharp
  d.hourWidth = std::fmax(1.9, size * 0.085) * px;
  d.minuteWidth = std::fmax(1.6, size * 0.06) * px;
  d.secondWidth = std::fmax(1.0, size * 0.025) * px;
  d.secondHand = size >= 32;
  d.capRadius = std::fmax(1.1, size * 0.055) * px;
  return d;
}

// Renders one size with kSamplesPerAxis² samples a pixel for smooth edges.
Image render(int size) {
  Design d = designFor(size);
  Image img{size, std::vector<uint8_t>(size_t(size) * size * 4)};
  const int n = kSamplesPerAxis;
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double sr = 0, sg = 0, sb = 0;
      int covered = 0;
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          double x = (px + (i + 0.5) / n) / size * 2 - 1;
          double y = (py + (j + 0.5) / n) / size * 2 - 1;
          Colour c;
          if (!shade(d, x, y, c)) continue;
          sr += c.r;
          sg += c.g;
          sb += c.b;
          ++covered;
        }
      }
      uint8_t *p = &img.bgra[(size_t(py) * size + px) * 4];
      if (covered == 0) continue;
      p[0] = uint8_t(std::lround(sb / covered));
      p[1] = uint8_t(std::lround(sg / covered));
      p[2] = uint8_t(std::lround(sr / covered));
      p[3] = uint8_t(std::lround(255.0 * covered / (n * n)));
    }
  }
  return img;
}

// Appends v as 16 bits, little-endian, as the .ico format stores numbers.
void put16(std::vector<uint8_t> &out, unsigned v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

// Appends v as 32 bits, little-endian.
void put32(std::vector<uint8_t> &out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

// One image as stored in an .ico: a BITMAPINFOHEADER of double height, the colour rows from the
// bottom, then the AND mask (1 = transparent), each row padded to 32 bits.
std::vector<uint8_t> iconImage(const Image &img) {
  const int s = img.size;
  const int maskStride = (s + 31) / 32 * 4;
  std::vector<uint8_t> out;
  put32(out, 40);
  put32(out, uint32_t(s));
  put32(out, uint32_t(2 * s));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, uint32_t(s * s * 4 + maskStride * s));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (int y = s - 1; y >= 0; --y)
    out.insert(out.end(), &img.bgra[size_t(y) * s * 4], &img.bgra[size_t(y + 1) * s * 4]);
  for (int y = s - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(maskStride), 0);
    for (int x = 0; x < s; ++x)
      if (img.bgra[(size_t(y) * s + x) * 4 + 3] < 128) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The .ico file: ICONDIR, one ICONDIRENTRY an image, then the images.
std::vector<uint8_t> iconFile(const std::vector<Image> &images) {
  std::vector<std::vector<uint8_t>> bodies;
  for (const Image &img : images) bodies.push_back(iconImage(img));
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, 1);
  put16(out, unsigned(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(uint8_t(images[i].size));
    out.push_back(uint8_t(images[i].size));
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, 32);
    put32(out, uint32_t(bodies[i].size()));
    put32(out, offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const auto &b : bodies) out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace

// Writes the icon to the path given; exit code 0 on success, 1 when the file cannot be written.
int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 1;
  }
  std::vector<uint8_t> bytes = iconFile({render(16), render(32), render(48)});
  std::FILE *f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::perror(argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
