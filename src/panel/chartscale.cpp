#include "panel/chartscale.h"

#include "core/convert.h"
#include "core/runtimeerror.h"

namespace kestrel {

double ChartScale::y(double v) const {
    if (mHigh == mLow)
        throw RuntimeError::divisionByZero();
    const double span = mHigh - mLow;
    return toInt32((-v / span) * mHeight + (mHeight / span) * mHigh);
}

double ChartScale::clampedY(double v, double lowest) const {
    double c = y(v);
    if (c > lowest)
        c = lowest;
    if (c < 0)
        c = 0;
    return c;
}

std::vector<double> ChartScale::rowsEveryFive() const {
    std::vector<double> rows;
    const double first = intFloor((mLow + 5) / 5.0) * 5, last = intFloor((mHigh - 5) / 5.0) * 5;
    for (double v = first; v <= last; v += 5)
        rows.push_back(y(v));
    return rows;
}

std::array<double, 5> ChartScale::quarters(double height) {
    std::array<double, 5> rows{};
    for (std::size_t c = 0; c < rows.size(); ++c)
        rows[c] = height / 4 * static_cast<double>(c);
    return rows;
}

double ChartScale::x(double t, double graphTime, double width) {
    if (graphTime == 0)
        throw RuntimeError::divisionByZero();
    return toInt32(t / graphTime * width);
}

double ChartScale::gridInterval(double graphTime, double advance, double dt) {
    const double seconds = intFloor(graphTime / 50.0 + 0.99);
    return checkFinite(seconds * advance / dt);
}

std::vector<double> ChartScale::columns(double interval, double pitch, double width) {
    std::vector<double> xs;
    for (double x = intFloor(interval); x <= width; x += pitch)
        xs.push_back(x);
    return xs;
}

} // namespace kestrel
