#pragma once
// ChartScale: where a value, a time and the grid lines fall on a chart strip, in twips, for the
// trend chart's strips and the pen recorder's. Qt-free, so the mapping is tested with numbers; the
// windows only draw what it gives.
//
// A strip H twips high shows the range lo..hi, hi at its top edge:
//   y(v)            = H·(hi − v)/(hi − lo), evaluated as (−v/(hi − lo))·H + (H/(hi − lo))·hi and
//                     rounded to a 32-bit integer (ties to even); RuntimeError 11 when hi = lo, 6
//                     when the result leaves the 32-bit range.
//   clampedY(v, b)  = y(v) limited to 0 .. b (b = H − 50 keeps a trace at the bottom of the range
//                     visible above the strip's lower edge).
//   rowsEveryFive() = y of every multiple of 5 from Int((lo + 5)/5)·5 up to Int((hi − 5)/5)·5: the
//                     dotted lines of the trend chart's upper strip.
//   quarters(H)     = 0, H/4, H/2, 3H/4, H: the lines of the MV strip and of the pen recorder's.
// A strip W twips wide shows T seconds (the graph time):
//   x(t, T, W)      = t / T · W, rounded like y; RuntimeError 11 when T = 0.
//   gridInterval(T, advance, dt) = Int(T / 50 + 0.99) · advance / dt: twips between the vertical
//                     grid lines, with advance the chart's advance per control period dt (W·dt/T),
//                     so a line stands every Int(T / 50 + 0.99) seconds; RuntimeError 6 when not
//                     finite.
//   columns(interval, pitch, W) = Int(interval), then every pitch twips, up to W inclusive.

#include <array>
#include <vector>

namespace kestrel {

class ChartScale {
public:
    ChartScale(double height, double low, double high) : mHeight(height), mLow(low), mHigh(high) {}

    double y(double v) const;
    double clampedY(double v, double lowest) const;
    std::vector<double> rowsEveryFive() const;

    static std::array<double, 5> quarters(double height);
    static double x(double t, double graphTime, double width);
    static double gridInterval(double graphTime, double advance, double dt);
    static std::vector<double> columns(double interval, double pitch, double width);

private:
    double mHeight, mLow, mHigh;
};

} // namespace kestrel
