#pragma once
// Two-slot signal history and the dead-time register of the simulation state.

#include <array>
#include <cstddef>

namespace kestrel {

/// A signal over two steps: slot 0 holds the value of the current step k, slot 1 the value of
/// step k-1. The step copies slot 0 into slot 1 when it ends (shift).
struct History {
    std::array<double, 2> v{0.0, 0.0};

    double& operator[](std::size_t slot) { return v[slot]; }
    double operator[](std::size_t slot) const { return v[slot]; }
    /// Both slots to x.
    void set(double x) { v[0] = v[1] = x; }
    /// End of step: slot 1 = slot 0.
    void shift() { v[1] = v[0]; }
};

/// Output history of a first-order lag. Besides the two slots it keeps the lag's coefficients
/// T/(T+dt) and dt/(T+dt) for the last T and dt, so they are divided out again only when T or dt
/// change; the values are exactly those the lag would compute at every step.
struct LagHistory : History {
    double coefT = -1.0, coefDt = -1.0; ///< T and dt the coefficients belong to
    double coefY = 0.0, coefX = 0.0;    ///< T/(T+dt) and dt/(T+dt)

    /// The coefficients for T and dt, divided out again only when either changed.
    void coefficientsFor(double T, double dt) {
        if (T != coefT || dt != coefDt) {
            coefY = T / (T + dt);
            coefX = dt / (T + dt);
            coefT = T;
            coefDt = dt;
        }
    }
};

/// Dead-time register: slots 0..200 of a shift register b, slot 0 the newest input.
///
/// Each step shifts the whole register by one (b[i] = b[i-1] for i = 200 .. 1). The register is
/// kept as a ring over 256 cells, so a shift moves an index instead of 200 values; every slot
/// 0..200 reads exactly what the plain register would hold.
class DeadTimeBuffer {
public:
    static constexpr int kSlots = 201; // slots 0..200

    double operator[](int slot) const { return mCells[idx(slot)]; }
    double& operator[](int slot) { return mCells[idx(slot)]; }

    /// b[i] = b[i-1] for i = 200 down to 1; b[0] keeps its value.
    void shift() {
        const double front = mCells[idx(0)];
        mHead = (mHead + kMask) & kMask; // head - 1
        mCells[mHead] = front;
    }

    /// Where the register stands before a step: its ring position and slot 0, all that one step
    /// changes of it (the shift writes a cell beyond slot 200). rewind() takes the step back.
    struct Mark {
        unsigned head;
        double front;
    };
    Mark mark() const { return {mHead, mCells[mHead]}; }
    void rewind(const Mark& m) {
        mHead = m.head;
        mCells[mHead] = m.front;
    }

    /// A new input: b[0] = x, then the shift (so b[1] = x as well).
    void push(double x) {
        mCells[mHead] = x;
        mHead = (mHead + kMask) & kMask; // head - 1
        mCells[mHead] = x;
    }

    /// Slots 0 .. count-1 set to x (kept out of the step's inlined code: it runs at initialisations).
    [[gnu::noinline]] void fill(double x, int count = kSlots) {
        for (int i = 0; i < count; ++i)
            mCells[idx(i)] = x;
    }

    /// Register slot read for the last dead time and control period (DeadTime keeps it, so the
    /// slot is worked out again only when L or dt change).
    int mSlot = 1;
    double mSlotL = 0.0, mSlotDt = -1.0;

private:
    static constexpr unsigned kCells = 256;
    static constexpr unsigned kMask = kCells - 1;
    std::size_t idx(int slot) const { return (mHead + static_cast<unsigned>(slot)) & kMask; }

    std::array<double, kCells> mCells{};
    unsigned mHead = 0;
};

} // namespace kestrel
