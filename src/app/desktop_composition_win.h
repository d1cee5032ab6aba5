// Desktop composition, switched off while the main window lives (on systems of major version
// 6 and later) and back on when it is destroyed, if switching off succeeded.
#pragma once

namespace glimwell {

class DesktopComposition {
public:
    // Switches composition off when the system is of major version 6 or later.
    void SwitchOff();
    // Switches it on again if SwitchOff succeeded; a second call does nothing.
    void Restore();
    bool SwitchedOff() const { return switchedOff_; }

private:
    bool switchedOff_ = false;
};

}  // namespace glimwell
