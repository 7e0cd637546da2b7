#include "shell/form1.h"

namespace vex {

// Opening a panel halts a running game for good: closing it does not resume play.

void Form1::ShowAboutPanel(bool visible) {
    Frame1.Visible = visible;
    Label5.Visible = visible;
    Label4.Visible = visible;
}

void Form1::ShowInstructionsPanel(bool visible) {
    Frame2.Visible = visible;
    Label6.Visible = visible;
    Label7.Visible = visible;
}

void Form1::Label1_Click() {
    tmBrit.Enabled = false;
    ShowInstructionsPanel(true);
}

void Form1::Label2_Click() {
    tmBrit.Enabled = false;
    ShowAboutPanel(true);
}

void Form1::Label7_Click() { ShowInstructionsPanel(false); }

void Form1::Label5_Click() { ShowAboutPanel(false); }

void Form1::Label3_Click() { Unload(); }

}  // namespace vex
