#pragma once
// What the simulation step draws through: the controller panel implements it; the headless
// runner and the tests pass a null or recording implementation.

#include <cstdint>

namespace kestrel {

class Display {
public:
    virtual ~Display() = default;

    /// False for a display that shows nothing after each step (the PV bar, the MV slider and the
    /// value texts): the step then leaves those calls out.
    bool showsStepValues() const { return mShowsStepValues; }

    /// Draw recorded sample i on the trend chart of the current graph.
    virtual void Line_draw1(std::int16_t i) = 0;
    /// Draw recorded sample i on the pen recorder.
    virtual void Line_draw2(std::int16_t i) = 0;
    virtual void PvBarUpdate() = 0;
    virtual void MvSliderUpdate() = 0;
    virtual void SvPointerUpdate() = 0;
    virtual void DvPointerUpdate() = 0;
    /// The panel's SV, MV and PV texts; the panel shows each value formatted "###.0".
    virtual void showSv(double sv) = 0;
    virtual void showMv(double mv) = 0;
    virtual void showPv(double pv) = 0;
    /// After each step of a loop with a secondary controller (cascade control): the secondary's
    /// values (SV2, PV2, MV and its slider). Nothing by default.
    virtual void showSecondary() {}

protected:
    Display() = default;
    explicit Display(bool showsStepValues) : mShowsStepValues(showsStepValues) {}

private:
    bool mShowsStepValues = true;
};

/// Draws nothing. The step does not call its per-step displays at all (a class that needs them
/// derives from Display).
class NullDisplay : public Display {
public:
    NullDisplay() : Display(false) {}
    void Line_draw1(std::int16_t) override {}
    void Line_draw2(std::int16_t) override {}
    void PvBarUpdate() override {}
    void MvSliderUpdate() override {}
    void SvPointerUpdate() override {}
    void DvPointerUpdate() override {}
    void showSv(double) override {}
    void showMv(double) override {}
    void showPv(double) override {}
};

} // namespace kestrel
