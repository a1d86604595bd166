#include "core/colourvision.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kestrel {

namespace {

using Triple = std::array<double, 3>;

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int encoded(double v) {
    v = std::clamp(v, 0.0, 1.0);
    const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(c * 255.0));
}

Triple linearChannels(Rgb c) {
    return {linear(static_cast<int>((c >> 16) & 0xff)), linear(static_cast<int>((c >> 8) & 0xff)),
            linear(static_cast<int>(c & 0xff))};
}

Triple lab(Rgb c) {
    const auto [r, g, b] = linearChannels(c);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
    };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

} // namespace

double relativeLuminance(Rgb c) {
    const auto [r, g, b] = linearChannels(c);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb simulateVision(Rgb c, ColourVision v) {
    static constexpr double kProtan[3][3] = {
        {0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
    static constexpr double kDeutan[3][3] = {
        {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
    if (v == ColourVision::Normal)
        return c;
    const auto& m = v == ColourVision::Protan ? kProtan : kDeutan;
    const Triple l = linearChannels(c);
    int out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = encoded(m[i][0] * l[0] + m[i][1] * l[1] + m[i][2] * l[2]);
    return rgb(out[0], out[1], out[2]);
}

double colourDifference(Rgb a, Rgb b) {
    const Triple p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

} // namespace kestrel
