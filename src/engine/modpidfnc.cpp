#include "engine/modpidfnc.h"

#include "core/convert.h"
#include "core/runtimeerror.h"

namespace kestrel {

namespace {

double limitOutput(double y) {
    if (y > kBlockLimit)
        return kBlockLimit;
    if (y < -kBlockLimit)
        return -kBlockLimit;
    return y;
}

} // namespace

double FirstOrderLag(double x0, History& y, double T, double dt, bool init) {
    double result;
    if (T > 0.0 && !init) {
        result = checkFinite(T / (T + dt) * y[1] + dt / (T + dt) * x0);
    } else {
        result = x0;
        y[1] = x0;
    }
    return limitOutput(result);
}

double LeadStage(History& x, History& y, double K, double dt, bool init) {
    double result;
    if (K > 0.0 && !init) {
        result = checkFinite(x[0] + K * (x[0] - x[1]) / dt);
    } else {
        result = x[0];
        y[1] = x[0];
    }
    result = limitOutput(result);
    x[1] = x[0];
    return result;
}

double Integrator(double x0, History& y, double T, double dt, bool init) {
    if (T > 0.0 && !init)
        return limitOutput(checkFinite(y[1] + x0 * dt / T));
    y[1] = 0.0;
    return 0.0;
}

double IncompleteDerivative(const History& x, History& y, double Td, double dt, double eta, bool init) {
    if (Td > 0.0 && !init) {
        const double den = eta * Td + dt;
        if (den == 0.0)
            throw RuntimeError::divisionByZero();
        return limitOutput(checkFinite((Td * (x[0] - x[1]) + eta * Td * y[1]) / den));
    }
    y[1] = 0.0;
    return 0.0;
}

int deadTimeSlot(double L, double dt) {
    if (dt == 0.0)
        throw RuntimeError::divisionByZero();
    int n = toInt16(checkFinite(L / dt + 1.0));
    if (n > 200)
        n = 200;
    if (n < 0)
        throw RuntimeError::subscriptOutOfRange();
    return n;
}

double DeadTime(double x0, DeadTimeBuffer& b, double L, double dt, bool init) {
    b[0] = x0;
    if (init)
        b.fill(x0);
    else
        b.shift();
    return b[deadTimeSlot(L, dt)];
}

} // namespace kestrel
