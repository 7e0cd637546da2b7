#include "platform/numbers.h"
#include "platform/runtime_error.h"
#include "shell/form1.h"

namespace vex {

// The game writes only numbers into the captions it reads back, so a failure here is a fault.
double Form1::LabelValue(const Label& label) const {
    const auto value = parse_number(label.Caption);
    if (!value) {
        throw RuntimeError("Type mismatch: " + label.name() + " holds \"" + label.Caption + "\"");
    }
    return *value;
}

void Form1::SetLabelValue(Label& label, double value) { label.Caption = format_number(value); }

void Form1::UpdateAccuracy() {
    const double hits = LabelValue(lblHits);
    const double shots = LabelValue(lblShots);
    if (hits == 0 || shots == 0) {
        return;
    }
    lblAcc.Caption = format_number(accuracy_percent(hits, shots)) + "%";
}

}  // namespace vex
